#include "Registry.h"

#include <cstring>

namespace e2e {

bool keyExists(const wchar_t* key)
{
    HKEY k = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &k) != ERROR_SUCCESS)
        return false;
    RegCloseKey(k);
    return true;
}

RegValue readValue(const wchar_t* key, const wchar_t* name)
{
    RegValue v;
    HKEY k = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_READ, &k) != ERROR_SUCCESS)
        return v;
    DWORD size = 0;
    if (RegQueryValueExW(k, name, nullptr, &v.type, nullptr, &size) == ERROR_SUCCESS) {
        v.bytes.resize(size);
        if (RegQueryValueExW(k, name, nullptr, &v.type, size ? v.bytes.data() : nullptr, &size) == ERROR_SUCCESS) {
            v.bytes.resize(size);
            v.exists = true;
        }
    }
    RegCloseKey(k);
    return v;
}

bool writeValue(const wchar_t* key, const wchar_t* name, DWORD type, const void* data, DWORD size)
{
    HKEY k = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) != ERROR_SUCCESS)
        return false;
    const bool ok = RegSetValueExW(k, name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
    RegCloseKey(k);
    return ok;
}

bool deleteValue(const wchar_t* key, const wchar_t* name)
{
    HKEY k = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key, 0, KEY_SET_VALUE, &k) != ERROR_SUCCESS)
        return false;
    const bool ok = RegDeleteValueW(k, name) == ERROR_SUCCESS;
    RegCloseKey(k);
    return ok;
}

bool storedPlacement(WINDOWPLACEMENT& out)
{
    const RegValue v = readValue(kSettingsKey, L"MAIN_WP");
    if (!v.exists || v.type != REG_BINARY || v.bytes.size() != sizeof(WINDOWPLACEMENT))
        return false;
    std::memcpy(&out, v.bytes.data(), sizeof out);
    return true;
}

HWND storedMainWindow()
{
    const RegValue v = readValue(kHandOffKey, L"MainFrame_Handle");
    if (!v.exists || v.type != REG_DWORD || v.bytes.size() != 4)
        return nullptr;
    DWORD handle = 0;
    std::memcpy(&handle, v.bytes.data(), 4);
    return reinterpret_cast<HWND>(static_cast<ULONG_PTR>(handle));
}

bool storeMainWindowValue(HWND hWnd)
{
    const DWORD handle = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(hWnd));
    return writeValue(kHandOffKey, L"MainFrame_Handle", REG_DWORD, &handle, sizeof handle);
}

} // namespace e2e
