#include "ShellFixture.h"

#include "shell/Shell.h"
#include "e2e/PlayerProcess.h"
#include "res/resource.h"

#include "ui/WindowToolkit.h"

#include <gdiplus.h>
#include <shlobj.h>

#include <algorithm>

BoxWatcher::BoxWatcher(HWND owner, DWORD timeoutMs)
    : thread([this, owner, timeoutMs] {
          HWND box = nullptr;
          if (e2e::waitFor([&] { return (box = e2e::findOwnedDialog(owner, L"Vesperine")) != nullptr; },
                           timeoutMs)) {
              texts = e2e::childTexts(box);
              ++boxes;
              PostMessageW(box, WM_COMMAND, IDOK, 0);
              e2e::waitFor([&] { return !IsWindow(box); }, 5000);
              // A second box would come at once.
              if (e2e::waitFor([&] { return e2e::findOwnedDialog(owner, L"Vesperine") != nullptr; }, 500))
                  ++boxes;
          }
      })
{
}

HGLOBAL makeDrop(const std::vector<std::wstring>& files)
{
    std::size_t chars = 1;
    for (const auto& f : files)
        chars += f.size() + 1;
    HGLOBAL h = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(h));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* p = reinterpret_cast<wchar_t*>(drop + 1);
    for (const auto& f : files) {
        std::copy(f.begin(), f.end(), p);
        p += f.size() + 1;
    }
    GlobalUnlock(h);
    return h;
}

void ShellFixture::SetUp()
{
    // The close path stores the placement; every test starts from and leaves an empty store.
    e2e::clearProgramRegistry();
    folder = e2e::makeTempFolder(L"vesperine-shell-");
    ASSERT_FALSE(folder.empty());
    for (const wchar_t* name : {L"clip1.m2ts", L"clip2.m2ts", L"clip3.m2ts", L"notes.txt"})
        ASSERT_TRUE(e2e::writeFile(folder + name, "x"));

    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    AppContext& ctx = appContext();
    ctx = AppContext{};
    ctx.gdiplusToken = token;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    registerWindowClass(0, kMainWindowClass, instance, mainWndProc);
    ASSERT_TRUE(initInstance(instance, SW_SHOWNORMAL));
    main = ctx.hMainWnd;
    accelerators = LoadAcceleratorsW(instance, MAKEINTRESOURCEW(IDR_ACCELERATOR));
    ASSERT_NE(accelerators, nullptr);
    // The engine keeps its counters for the whole process; each test starts them anew.
    if (FakeEngine e = engine(); e.ok)
        e.reset();
}

void ShellFixture::TearDown()
{
    if (IsWindow(main))
        SendMessageW(main, WM_CLOSE, 0, 0);
    pumpUntil([&] { return quit; }, 5000);
    exitInstance();
    e2e::removeFolder(folder);
    e2e::clearProgramRegistry();
}

bool ShellFixture::pumpUntil(const std::function<bool()>& cond, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit = true;
                quitCode = int(msg.wParam);
                continue;
            }
            if (!TranslateAcceleratorW(main, accelerators, &msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        if (cond())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(5);
    }
}

int ShellFixture::state()
{
    MediaPlayer* p = logic().player.load();
    return p ? p->getState() : 0;
}

void ShellFixture::playClip(const wchar_t* name)
{
    ASSERT_TRUE(loadFile(folder + name));
    FakeEngine e = engine();
    ASSERT_TRUE(e.ok) << "the test engine is not loaded";
    e.setLength(kClipLength);
    ASSERT_TRUE(pumpUntil([&] { return state() == 3; }, 5000));
    e.advance(10000);
    e.drain();
    pump(50);
}

void ShellFixture::key(UINT vk)
{
    PostMessageW(main, WM_KEYDOWN, vk, 1);
    PostMessageW(main, WM_KEYUP, vk, 0xC0000001);
    pump(50);
}

std::wstring ShellFixture::title() { return e2e::windowText(main); }
