// Starting the real program as a process of its own and looking at its windows from outside.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

// A path of the build machine ("/work/...") as Wine's programs see it ("Z:\work\...").
std::wstring winePath(const char* unixPath);

// A new empty folder under the temporary folder; removed with removeFolder.
std::wstring makeTempFolder(const wchar_t* prefix);
void removeFolder(const std::wstring& folder);
bool copyInto(const std::wstring& file, const std::wstring& folder, const wchar_t* newName = nullptr);
bool writeFile(const std::wstring& path, const std::string& bytes);
std::string readFile(const std::wstring& path);

// Polls cond every few milliseconds until it holds or timeoutMs have passed.
bool waitFor(const std::function<bool()>& cond, DWORD timeoutMs);

// Text of any window, also of another process (WM_GETTEXT with a time limit).
std::wstring windowText(HWND hWnd);
std::wstring className(HWND hWnd);
// Texts of every child of a window.
std::vector<std::wstring> childTexts(HWND hWnd);
// Direct children of a window, in Z order.
std::vector<HWND> directChildren(HWND hWnd);
// A top-level dialog (#32770) with this caption owned by owner, or null.
HWND findOwnedDialog(HWND owner, const wchar_t* caption);

// Clears the registry keys of the program (settings and hand-off), so every run starts fresh.
void clearProgramRegistry();

class PlayerProcess {
public:
    PlayerProcess() = default;
    PlayerProcess(const PlayerProcess&) = delete;
    PlayerProcess& operator=(const PlayerProcess&) = delete;
    ~PlayerProcess();

    // Runs exe with the text after its name, in folder cwd (empty: the test's own).
    bool start(const std::wstring& exe, const std::wstring& arguments, const std::wstring& cwd = std::wstring());
    // The program's main window ("Player_WndClass"), once it exists; null on time-out.
    HWND waitForMainWindow(DWORD timeoutMs = 30000);
    // True when the process ended in time; its exit code in *code.
    bool waitForExit(DWORD timeoutMs, DWORD* code);
    bool running() const;
    void kill();

    HWND mainWindow = nullptr;

private:
    PROCESS_INFORMATION pi = {};
};

} // namespace e2e
