#include "Advertisement.h"

#include "libads/libads.h"
#include "logic/Product.h"

std::wstring programFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, &path[0], DWORD(path.size()));
        if (n == 0)
            return std::wstring();
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);   // truncated: a long path
    }
    const auto sep = path.find_last_of(L"\\/");
    return sep == std::wstring::npos ? std::wstring() : path.substr(0, sep + 1);
}

int callAdvertisement(const std::wstring& folder, HWND owner)
{
    if (folder.empty())
        return kAdvertisementMissing;
    const std::wstring path = folder + L"libads.dll";
    // Its own dependencies are looked for beside it.
    HMODULE lib = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!lib)
        return kAdvertisementMissing;
    // The library stays loaded: whatever it left running must not lose its code, and the
    // process ends soon after anyway.
    auto show = reinterpret_cast<LibadsShowFunction>(
        reinterpret_cast<void*>(GetProcAddress(lib, kLibadsShowName)));
    if (!show)
        return kAdvertisementMissing;
    return show(owner, product::kDisplayName, product::kAdvertisementPage);
}

int showAdvertisement(HWND owner) { return callAdvertisement(programFolder(), owner); }
