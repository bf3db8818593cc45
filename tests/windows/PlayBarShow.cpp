// Not a test: the program's own shell and windows, playing a clip on the test engine with the
// clock moved to 20:34 of 1:02:05, so that the play bar can be looked at as the user sees it.
// Runs until the window is closed. Usage: playbar_show [width height] [full]
#include "shell/AppContext.h"
#include "shell/Shell.h"

#include "FakeLibVlc.h"
#include "res/resource.h"
#include "ui/WindowToolkit.h"

#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
} // namespace Gdiplus
#include <gdiplus.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

namespace {

std::wstring besideProgram(const wchar_t* name)
{
    wchar_t path[MAX_PATH];
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, n);
    return folder.substr(0, folder.find_last_of(L'\\') + 1) + name;
}

void runFor(DWORD ms)
{
    const DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < ms) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int)
{
    int width = 0;
    int height = 0;
    bool full = false;
    if (__argc >= 3) {
        width = _wtoi(__wargv[1]);
        height = _wtoi(__wargv[2]);
    }
    if (__argc >= 4 && std::wstring(__wargv[3]) == L"full")
        full = true;

    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    AppContext& ctx = appContext();
    ctx = AppContext{};
    ctx.gdiplusToken = token;
    ctx.hInstance = hInstance;
    ctx.app = new (std::nothrow) Vesperine();

    registerWindowClass(0, kMainWindowClass, hInstance, mainWndProc);
    if (!initInstance(hInstance, SW_SHOW))
        return 1;
    if (width > 0 && height > 0)
        SetWindowPos(ctx.hMainWnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);

    // Any readable file of the type will do: the test engine does not read it.
    const std::wstring clip = besideProgram(L"clip.m2ts");
    if (FILE* f = _wfopen(clip.c_str(), L"wb"))
        std::fclose(f);
    FakeEngine engine(GetModuleHandleW(L"libvlc.dll"));
    if (engine.ok)
        engine.setLength(3725000);
    loadFile(clip);
    // The engine starts playing on its own thread; the clock moves once it does.
    runFor(500);
    FakeEngine loaded(GetModuleHandleW(L"libvlc.dll"));
    if (loaded.ok) {
        loaded.setLength(3725000);
        loaded.advance(1234000);
        loaded.drain();
    }
    if (full)
        PostMessageW(ctx.hMainWnd, WM_COMMAND, IDM_FULLSCREEN, 0);
    runFor(500);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    exitInstance();
    return 0;
}
