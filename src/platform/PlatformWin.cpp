// Win32 services of the portable core. wchar_t is UTF-16 here.
#include "platform/Platform.h"

#include <atomic>
#include <climits>
#include <cstdio>

#include <windows.h>

namespace platform {

namespace {

std::atomic<DebugOutputHook> debugHook{nullptr};

bool hasNul(const std::wstring& text) {
    return text.find(L'\0') != std::wstring::npos;
}

} // namespace

std::size_t lastSeparator(const std::wstring& path) {
    return path.rfind(kPathSeparator);
}

bool listFolder(const std::wstring& folder, std::vector<FolderEntry>& out) {
    out.clear();
    // A name cut short at an embedded NUL would list some other folder.
    if (folder.empty() || hasNul(folder))
        return false;
    const std::wstring pattern = folder + L"*.*";
    WIN32_FIND_DATAW data;
    const HANDLE search = FindFirstFileW(pattern.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    do {
        FolderEntry entry;
        entry.name = data.cFileName;
        entry.isDirectory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        out.push_back(std::move(entry));
    } while (FindNextFileW(search, &data));
    FindClose(search);
    return true;
}

bool canOpenForReading(const std::wstring& path) {
    if (path.empty() || hasNul(path))
        return false;
    FILE* file = _wfopen(path.c_str(), L"r");
    if (!file)
        return false;
    std::fclose(file);
    return true;
}

std::uint32_t tickCount() {
    return static_cast<std::uint32_t>(GetTickCount());
}

void sleepMs(unsigned milliseconds) {
    Sleep(milliseconds);
}

void debugOutput(const wchar_t* text) {
    if (!text)
        return;
    if (const DebugOutputHook hook = debugHook.load())
        hook(text);
    OutputDebugStringW(text);
}

void setDebugOutputHook(DebugOutputHook hook) {
    debugHook.store(hook);
}

std::string toUtf8(const std::wstring& text) {
    if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX))
        return std::string();
    const int length = static_cast<int>(text.size());
    // Without WC_ERR_INVALID_CHARS an unpaired surrogate becomes U+FFFD.
    const int needed = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0)
        return std::string();
    std::string out(static_cast<std::size_t>(needed), '\0');
    const int written =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), length, &out[0], needed, nullptr, nullptr);
    out.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    return out;
}

std::wstring fromUtf8(const std::string& text) {
    if (text.empty() || text.size() > static_cast<std::size_t>(INT_MAX))
        return std::wstring();
    const int length = static_cast<int>(text.size());
    // Without MB_ERR_INVALID_CHARS an ill-formed sequence becomes U+FFFD.
    const int needed = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
    if (needed <= 0)
        return std::wstring();
    std::wstring out(static_cast<std::size_t>(needed), L'\0');
    const int written = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, &out[0], needed);
    out.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    return out;
}

} // namespace platform
