// Start-up, the message loop and shutdown of the Windows program.
#include "Startup.h"

#include "AppContext.h"
#include "HandOff.h"
#include "Settings.h"
#include "Shell.h"
#include "logic/CommandLine.h"
#include "logic/Product.h"
#include "res/resource.h"

#include "platform/Platform.h"
#include "ui/WindowToolkit.h"

#include <gdiplus.h>
#include <shellapi.h>

#include <new>

namespace {

std::wstring currentFolder()
{
    const DWORD needed = GetCurrentDirectoryW(0, nullptr);
    if (needed == 0)
        return std::wstring();
    std::wstring folder(needed, L'\0');
    const DWORD n = GetCurrentDirectoryW(needed, &folder[0]);
    if (n == 0 || n >= needed)
        return std::wstring();
    folder.resize(n);
    return folder;
}

// The command line names a file that is there to be read.
bool isReadableFile(const std::wstring& path) { return !path.empty() && platform::canOpenForReading(path); }

int runMessageLoop()
{
    AppContext& ctx = appContext();
    HACCEL accelerators = LoadAcceleratorsW(ctx.hInstance, MAKEINTRESOURCEW(IDR_ACCELERATOR));
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // Keys reach the accelerators whichever window has the focus.
        if (!TranslateAcceleratorW(ctx.hMainWnd, accelerators, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return 0;
}

} // namespace

int runProgram(HINSTANCE hInstance, const wchar_t* cmdLine, int nCmdShow)
{
    ULONG_PTR gdiplusToken = 0;
    Gdiplus::GdiplusStartupInput gdiplusInput;
    Gdiplus::GdiplusStartup(&gdiplusToken, &gdiplusInput, nullptr);

    AppContext& ctx = appContext();
    ctx = AppContext{};
    ctx.gdiplusToken = gdiplusToken;
    // The same instance handle from the start: the shutdown below may run before initInstance.
    ctx.hInstance = hInstance;
    loadSettings();
    ctx.app = new (std::nothrow) Vesperine();

    // One path, quotes of "Open with" removed, made absolute so that it names the same file
    // for a running instance started elsewhere.
    const std::wstring file = commandLineFile(cmdLine ? cmdLine : L"", currentFolder());
    const bool hasFile = isReadableFile(file);
    if (hasFile && handOffFile(product::kDisplayName, file)) {
        exitInstance();
        return 0;
    }

    registerWindowClass(0, kMainWindowClass, hInstance, mainWndProc);
    // Ends at once: nothing was shown, so nothing is saved.
    if (!initInstance(hInstance, nCmdShow))
        return 0;

    if (isReadableFile(file))
        loadFile(file);
    storeMainWindow(product::kDisplayName, ctx.hMainWnd);
    DragAcceptFiles(ctx.hMainWnd, TRUE);

    runMessageLoop();
    exitInstance();
    // The exit code is always 0.
    return 0;
}
