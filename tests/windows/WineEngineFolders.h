// Folders and registry values the engine loader looks at, for the tests that place engines.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A folder of the build tree (a Linux path) as the prefix sees it, ending with '\'.
inline std::wstring wineFolder(const char* unixFolder)
{
    std::wstring folder = L"Z:";
    for (const char* c = unixFolder; *c; ++c)
        folder += *c == '/' ? L'\\' : wchar_t(static_cast<unsigned char>(*c));
    if (folder.back() != L'\\')
        folder += L'\\';
    return folder;
}

inline std::wstring exeFolder()
{
    wchar_t path[MAX_PATH * 2] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
    std::wstring text(path, n);
    return text.substr(0, text.find_last_of(L'\\') + 1);
}

// The full path of a loaded module, or empty.
inline std::wstring modulePath(HMODULE module)
{
    wchar_t path[MAX_PATH * 2] = {};
    const DWORD n = module ? GetModuleFileNameW(module, path, MAX_PATH * 2) : 0;
    return std::wstring(path, n);
}

// Sets HKLM\SOFTWARE\VideoLAN\VLC's InstallDir for one test and removes what it made again.
// Tests that write it share a ctest resource lock, so no other test sees the value.
class InstallDirValue {
public:
    static constexpr const wchar_t* kParent = L"SOFTWARE\\VideoLAN";
    static constexpr const wchar_t* kKey = L"SOFTWARE\\VideoLAN\\VLC";

    // Raw value of any type; size in bytes.
    InstallDirValue(DWORD type, const void* data, DWORD size)
    {
        HKEY probe = nullptr;
        parentExisted = RegOpenKeyExW(HKEY_LOCAL_MACHINE, kParent, 0, KEY_READ, &probe) == ERROR_SUCCESS;
        if (probe)
            RegCloseKey(probe);
        HKEY key = nullptr;
        DWORD disposition = 0;
        ok = RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                             &disposition) == ERROR_SUCCESS;
        if (!ok)
            return;
        keyCreated = disposition == REG_CREATED_NEW_KEY;
        ok = RegSetValueExW(key, L"InstallDir", 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
        RegCloseKey(key);
    }
    // A string value with its terminator.
    explicit InstallDirValue(const std::wstring& text, DWORD type = REG_SZ)
        : InstallDirValue(type, text.c_str(), DWORD((text.size() + 1) * sizeof(wchar_t)))
    {
    }
    ~InstallDirValue()
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
            RegDeleteValueW(key, L"InstallDir");
            RegCloseKey(key);
        }
        if (keyCreated)
            RegDeleteKeyW(HKEY_LOCAL_MACHINE, kKey);
        if (!parentExisted)
            RegDeleteKeyW(HKEY_LOCAL_MACHINE, kParent);
    }
    InstallDirValue(const InstallDirValue&) = delete;
    InstallDirValue& operator=(const InstallDirValue&) = delete;

    bool ok = false;

private:
    bool parentExisted = false;
    bool keyCreated = false;
};
