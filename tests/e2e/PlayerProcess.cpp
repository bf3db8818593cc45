#include "PlayerProcess.h"

namespace e2e {

std::wstring winePath(const char* unixPath)
{
    std::wstring out = L"Z:";
    for (const char* p = unixPath; *p; ++p)
        out += (*p == '/') ? L'\\' : wchar_t(static_cast<unsigned char>(*p));
    return out;
}

std::wstring makeTempFolder(const wchar_t* prefix)
{
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    for (unsigned n = GetTickCount() ^ GetCurrentProcessId();; ++n) {
        std::wstring folder = std::wstring(base) + prefix + std::to_wstring(n);
        if (CreateDirectoryW(folder.c_str(), nullptr))
            return folder + L"\\";
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return std::wstring();
    }
}

namespace {

// Deletes a folder and everything in it; paths of any length (the "\\?\" form).
void removeTree(const std::wstring& longFolder)
{
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((longFolder + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring path = longFolder + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(path);
            else
                DeleteFileW(path.c_str());
        } while (FindNextFileW(find, &found));
        FindClose(find);
    }
    RemoveDirectoryW(longFolder.c_str());
}

} // namespace

void removeFolder(const std::wstring& folder)
{
    if (folder.empty())
        return;
    std::wstring path = folder;
    if (path.back() == L'\\')
        path.pop_back();
    // Some tests make paths longer than MAX_PATH on purpose.
    removeTree(path.rfind(L"\\\\?\\", 0) == 0 ? path : L"\\\\?\\" + path);
}

bool copyInto(const std::wstring& file, const std::wstring& folder, const wchar_t* newName)
{
    std::wstring name = newName ? std::wstring(newName) : file.substr(file.find_last_of(L"\\/") + 1);
    return CopyFileW(file.c_str(), (folder + name).c_str(), FALSE) != 0;
}

bool writeFile(const std::wstring& path, const std::string& bytes)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = WriteFile(h, bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size();
    CloseHandle(h);
    return ok;
}

std::string readFile(const std::wstring& path)
{
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return std::string();
    std::string out;
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(h, buffer, sizeof buffer, &n, nullptr) && n > 0)
        out.append(buffer, n);
    CloseHandle(h);
    return out;
}

bool waitFor(const std::function<bool()>& cond, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;) {
        if (cond())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(5);
    }
}

std::wstring windowText(HWND hWnd)
{
    wchar_t buffer[1024] = {};
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(hWnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 5000,
                             &result))
        return std::wstring();
    return buffer;
}

std::wstring className(HWND hWnd)
{
    wchar_t buffer[256] = {};
    GetClassNameW(hWnd, buffer, 256);
    return buffer;
}

namespace {
BOOL CALLBACK collectText(HWND child, LPARAM param)
{
    reinterpret_cast<std::vector<std::wstring>*>(param)->push_back(windowText(child));
    return TRUE;
}

struct OwnedSearch {
    HWND owner;
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK findOwned(HWND hWnd, LPARAM param)
{
    auto* s = reinterpret_cast<OwnedSearch*>(param);
    if (GetWindow(hWnd, GW_OWNER) == s->owner && className(hWnd) == L"#32770" && IsWindowVisible(hWnd)
        && windowText(hWnd) == s->caption) {
        s->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

struct MainSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK findMain(HWND hWnd, LPARAM param)
{
    auto* s = reinterpret_cast<MainSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    if (pid == s->pid && className(hWnd) == L"Player_WndClass") {
        s->found = hWnd;
        return FALSE;
    }
    return TRUE;
}
} // namespace

std::vector<std::wstring> childTexts(HWND hWnd)
{
    std::vector<std::wstring> texts;
    EnumChildWindows(hWnd, collectText, reinterpret_cast<LPARAM>(&texts));
    return texts;
}

std::vector<HWND> directChildren(HWND hWnd)
{
    std::vector<HWND> children;
    for (HWND c = GetWindow(hWnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        children.push_back(c);
    return children;
}

HWND findOwnedDialog(HWND owner, const wchar_t* caption)
{
    OwnedSearch s = {owner, caption, nullptr};
    EnumWindows(findOwned, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

void clearProgramRegistry()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Kadrowin\\Vesperine");
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Vesperine");
}

PlayerProcess::~PlayerProcess()
{
    kill();
}

bool PlayerProcess::start(const std::wstring& exe, const std::wstring& arguments, const std::wstring& cwd)
{
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    return CreateProcessW(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                          cwd.empty() ? nullptr : cwd.c_str(), &si, &pi) != 0;
}

HWND PlayerProcess::waitForMainWindow(DWORD timeoutMs)
{
    waitFor(
        [&] {
            MainSearch s = {pi.dwProcessId, nullptr};
            EnumWindows(findMain, reinterpret_cast<LPARAM>(&s));
            mainWindow = s.found;
            return mainWindow != nullptr || !running();
        },
        timeoutMs);
    return mainWindow;
}

bool PlayerProcess::waitForExit(DWORD timeoutMs, DWORD* code)
{
    if (!pi.hProcess || WaitForSingleObject(pi.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return false;
    GetExitCodeProcess(pi.hProcess, code);
    return true;
}

bool PlayerProcess::running() const
{
    return pi.hProcess && WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT;
}

void PlayerProcess::kill()
{
    if (pi.hProcess) {
        if (running()) {
            TerminateProcess(pi.hProcess, 99);
            WaitForSingleObject(pi.hProcess, 5000);
        }
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    pi = {};
}

} // namespace e2e
