#include "HelperWindow.h"

namespace e2e {

namespace {

constexpr const wchar_t* kHelperClass = L"VesperineTestHelper";

void registerHelperClass()
{
    WNDCLASSW wc = {};
    if (GetClassInfoW(GetModuleHandleW(nullptr), kHelperClass, &wc))
        return;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kHelperClass;
    RegisterClassW(&wc);
}

} // namespace

HelperWindow::HelperWindow(Mode m)
    : mode(m)
{
    ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread = CreateThread(nullptr, 0, run, this, 0, nullptr);
    WaitForSingleObject(ready, 10000);
}

HelperWindow::~HelperWindow()
{
    SetEvent(release);
    if (thread) {
        WaitForSingleObject(thread, 10000);
        CloseHandle(thread);
    }
    CloseHandle(ready);
    CloseHandle(release);
}

DWORD WINAPI HelperWindow::run(void* p)
{
    auto* self = static_cast<HelperWindow*>(p);
    registerHelperClass();
    self->hWnd = CreateWindowExW(0, kHelperClass, L"helper", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300, 200,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetEvent(self->ready);
    if (self->mode == Mode::Silent) {
        // Neither sent nor posted messages are looked at until the test lets go.
        WaitForSingleObject(self->release, INFINITE);
    } else {
        for (;;) {
            const DWORD r = MsgWaitForMultipleObjects(1, &self->release, FALSE, INFINITE, QS_ALLINPUT);
            if (r == WAIT_OBJECT_0)
                break;
            MSG msg;
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
    }
    DestroyWindow(self->hWnd);
    return 0;
}

} // namespace e2e
