// The few operating-system services the portable core needs. One implementation per OS:
// PlatformWin.cpp (Win32) and PlatformPosix.cpp (Linux). Nothing here includes <windows.h>.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// The one place that knows how paths are split: '\' on Windows, '/' on Linux.
#ifdef _WIN32
constexpr wchar_t kPathSeparator = L'\\';
#else
constexpr wchar_t kPathSeparator = L'/';
#endif

// Index of the last path separator in path, or std::wstring::npos.
std::size_t lastSeparator(const std::wstring& path);

struct FolderEntry {
    std::wstring name;      // as the folder listing gives it, without the folder
    bool isDirectory = false;
};

// Lists every entry of folder (which ends with a separator), "." and ".." included where the
// OS reports them. Returns false, leaving out empty, when the listing cannot start.
bool listFolder(const std::wstring& folder, std::vector<FolderEntry>& out);

// Opens the file for reading and closes it at once; true when that worked.
bool canOpenForReading(const std::wstring& path);

// Milliseconds since an arbitrary start, wrapping at 2^32 like the Win32 tick count.
std::uint32_t tickCount();

void sleepMs(unsigned milliseconds);

// Text for a debugger (OutputDebugStringW on Windows, standard error on Linux when
// VESPERINE_TRACE is set). A hook, when installed, sees every text first (tests read it).
void debugOutput(const wchar_t* text);
using DebugOutputHook = void (*)(const wchar_t* text);
void setDebugOutputHook(DebugOutputHook hook);

// UTF-8 of a wide string, in a buffer of the size it needs (long and non-ASCII paths fit).
// Unpaired surrogates become U+FFFD.
std::string toUtf8(const std::wstring& text);
std::wstring fromUtf8(const std::string& text);

} // namespace platform
