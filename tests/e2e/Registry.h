// The program's registry values as a test reads and writes them, from outside the program.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

constexpr const wchar_t* kSettingsKey = L"Software\\Kadrowin\\Vesperine";
constexpr const wchar_t* kHandOffKey = L"Software\\Vesperine";

struct RegValue {
    bool exists = false;
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
};

bool keyExists(const wchar_t* key);
RegValue readValue(const wchar_t* key, const wchar_t* name);
// Creates the key when needed.
bool writeValue(const wchar_t* key, const wchar_t* name, DWORD type, const void* data, DWORD size);
bool deleteValue(const wchar_t* key, const wchar_t* name);

// "MAIN_WP" as a placement record, when it is 44 binary bytes.
bool storedPlacement(WINDOWPLACEMENT& out);
// "MainFrame_Handle" as a window, or null.
HWND storedMainWindow();
bool storeMainWindowValue(HWND hWnd);

} // namespace e2e
