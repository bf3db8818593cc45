// A top-level window of the test on a thread of its own, standing in for what a stale
// "MainFrame_Handle" may name: a window that answers messages but is no player, or one whose
// thread is blocked and answers nothing at all.
#pragma once

#include <windows.h>

namespace e2e {

class HelperWindow {
public:
    enum class Mode { Answering, Silent };

    explicit HelperWindow(Mode mode);
    // Lets a silent thread go on, destroys the window and waits for the thread.
    ~HelperWindow();
    HelperWindow(const HelperWindow&) = delete;
    HelperWindow& operator=(const HelperWindow&) = delete;

    HWND hWnd = nullptr;

private:
    static DWORD WINAPI run(void* self);

    Mode mode;
    HANDLE ready = nullptr;
    HANDLE release = nullptr;
    HANDLE thread = nullptr;
};

} // namespace e2e
