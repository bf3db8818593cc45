// A start that fails while making its main window ends at once and leaves the registry as it
// found it: no placement is stored, no window is recorded for later starts.
#include "shell/AppContext.h"
#include "shell/Shell.h"
#include "shell/Startup.h"
#include "e2e/PlayerProcess.h"
#include "e2e/Registry.h"

#include "ui/WindowToolkit.h"

#include <gtest/gtest.h>

namespace {

int refusals = 0;

// Stands in for the main window's class, and refuses to make the window.
LRESULT CALLBACK refuseCreation(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        // The settings have been read by now; whatever is stored from here on shows.
        e2e::deleteValue(e2e::kSettingsKey, L"MAIN_WP");
        ++refusals;
        return FALSE;
    }
    return DefWindowProcW(hWnd, msg, wParam, lParam);
}

TEST(StartupFailure, AStartWhoseMainWindowCannotBeMadeWritesNothing)
{
    e2e::clearProgramRegistry();
    const std::wstring folder = e2e::makeTempFolder(L"vesperine-start-");
    ASSERT_FALSE(folder.empty());
    const std::wstring clip = folder + L"clip.m2ts";
    ASSERT_TRUE(e2e::writeFile(clip, "x"));

    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    wp.showCmd = SW_SHOWNORMAL;
    wp.rcNormalPosition = {40, 50, 840, 650};
    ASSERT_TRUE(e2e::writeValue(e2e::kSettingsKey, L"MAIN_WP", REG_BINARY, &wp, sizeof wp));

    const HINSTANCE instance = GetModuleHandleW(nullptr);
    ASSERT_NE(registerWindowClass(0, kMainWindowClass, instance, refuseCreation), 0);
    EXPECT_EQ(runProgram(instance, clip.c_str(), SW_SHOWNORMAL), 0);

    EXPECT_EQ(refusals, 1) << "the main window was not tried";
    EXPECT_TRUE(appContext().placementValid) << "the stored placement was not loaded";
    EXPECT_FALSE(e2e::readValue(e2e::kSettingsKey, L"MAIN_WP").exists) << "the placement was saved";
    EXPECT_FALSE(e2e::readValue(e2e::kHandOffKey, L"MainFrame_Handle").exists) << "a window was recorded";

    e2e::removeFolder(folder);
    e2e::clearProgramRegistry();
}

} // namespace
