#include "LibVlc.h"

#ifdef _WIN32

#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr wchar_t kEngineFile[] = L"libvlc.dll";
constexpr wchar_t kVlcKey[] = L"SOFTWARE\\VideoLAN\\VLC";
constexpr wchar_t kInstallDirValue[] = L"InstallDir";
// Longer than any folder Windows can load from; a bigger value is damaged, not a folder.
constexpr DWORD kMaxFolderChars = 32767;

bool isSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// Only a drive-rooted or UNC folder: a relative one would be resolved against the working
// folder, which must never decide which engine is loaded.
bool isAbsoluteFolder(const std::wstring& folder)
{
    if (folder.size() >= 3 && ((folder[0] >= L'A' && folder[0] <= L'Z') || (folder[0] >= L'a' && folder[0] <= L'z')) &&
        folder[1] == L':' && isSeparator(folder[2]))
        return true;
    return folder.size() >= 3 && isSeparator(folder[0]) && isSeparator(folder[1]) && !isSeparator(folder[2]);
}

std::wstring withSeparator(std::wstring folder)
{
    if (!folder.empty() && !isSeparator(folder.back()))
        folder += L'\\';
    return folder;
}

// The folder of the running exe, ending with a separator; empty when it cannot be learnt.
std::wstring exeFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, &path[0], DWORD(path.size()));
        if (n == 0)
            return {};
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        if (path.size() > kMaxFolderChars)
            return {};
        path.resize(path.size() * 2);
    }
    const std::size_t cut = path.find_last_of(L"\\/");
    return cut == std::wstring::npos ? std::wstring() : path.substr(0, cut + 1);
}

std::wstring readInstallDir(REGSAM view)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kVlcKey, 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS)
        return {};
    std::wstring folder;
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, kInstallDirValue, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ) && size >= sizeof(wchar_t) &&
        size <= kMaxFolderChars * sizeof(wchar_t)) {
        // One spare character: a stored string need not end with a terminator.
        std::vector<wchar_t> text(size / sizeof(wchar_t) + 1, L'\0');
        DWORD got = size;
        if (RegQueryValueExW(key, kInstallDirValue, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &got) ==
                ERROR_SUCCESS &&
            (type == REG_SZ || type == REG_EXPAND_SZ) && got <= size)
            folder.assign(text.data(), wcsnlen(text.data(), got / sizeof(wchar_t)));
    }
    RegCloseKey(key);

    if (type == REG_EXPAND_SZ && !folder.empty()) {
        const DWORD need = ExpandEnvironmentStringsW(folder.c_str(), nullptr, 0);
        if (need == 0 || need > kMaxFolderChars)
            return {};
        std::wstring expanded(need, L'\0');
        const DWORD done = ExpandEnvironmentStringsW(folder.c_str(), &expanded[0], need);
        if (done == 0 || done > need)
            return {};
        expanded.resize(wcsnlen(expanded.c_str(), done));
        folder = expanded;
    }
    return isAbsoluteFolder(folder) ? withSeparator(folder) : std::wstring();
}

// Loads folder\libvlc.dll by its full path; the folder then serves as the DLL directory for
// what the engine loads in turn (libvlccore.dll, plugins\).
HMODULE loadEngineFrom(const std::wstring& folder)
{
    const std::wstring path = folder + kEngineFile;
    DWORD oldMode = 0;
    const bool modeSet = SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &oldMode) != 0;
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (modeSet)
        SetThreadErrorMode(oldMode, nullptr);
    return module;
}

// True when every entry point was found.
bool resolve(HMODULE module, LibVlc& table)
{
    bool all = true;
#define VESPERINE_LIBVLC_RESOLVE(name)                                                                           \
    table.name = reinterpret_cast<decltype(&::name)>(reinterpret_cast<void (*)()>(GetProcAddress(module, #name))); \
    all = all && table.name != nullptr;
    VESPERINE_LIBVLC_ENTRIES(VESPERINE_LIBVLC_RESOLVE)
#undef VESPERINE_LIBVLC_RESOLVE
    return all;
}

const LibVlc* loadTable()
{
    static LibVlc table;
    std::vector<std::wstring> folders;
    const std::wstring own = exeFolder();
    if (!own.empty())
        folders.push_back(own);
    const std::wstring installed = installedVlcFolder();
    if (!installed.empty() && (own.empty() || lstrcmpiW(installed.c_str(), own.c_str()) != 0))
        folders.push_back(installed);

    for (const std::wstring& folder : folders) {
        HMODULE module = loadEngineFrom(folder);
        if (!module)
            continue;
        if (resolve(module, table))
            return &table; // kept loaded for the life of the process
        table = LibVlc();
        FreeLibrary(module);
    }
    return nullptr;
}

} // namespace

std::wstring installedVlcFolder()
{
    // The process's own view first (the 32-bit one for this 32-bit program), then the
    // 32-bit view named explicitly.
    for (REGSAM view : {REGSAM(0), REGSAM(KEY_WOW64_32KEY)}) {
        std::wstring folder = readInstallDir(view);
        if (!folder.empty())
            return folder;
    }
    return {};
}

const LibVlc* libVlc()
{
    static const LibVlc* const table = loadTable();
    return table;
}

#else // linked

const LibVlc* libVlc()
{
    static const LibVlc table = [] {
        LibVlc linked;
#define VESPERINE_LIBVLC_LINK(name) linked.name = &::name;
        VESPERINE_LIBVLC_ENTRIES(VESPERINE_LIBVLC_LINK)
#undef VESPERINE_LIBVLC_LINK
        return linked;
    }();
    return &table;
}

#endif
