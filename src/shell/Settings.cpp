// The main window's windowed placement, kept in the user's registry between runs:
// HKEY_CURRENT_USER\Software\Kadrowin\Vesperine, value "MAIN_WP" (REG_BINARY, 44 bytes).
#include "Settings.h"

#include "AppContext.h"
#include "logic/Product.h"
#include "logic/StoredValues.h"

#include <string>

namespace {

constexpr const wchar_t* kPlacementValue = L"MAIN_WP";
static_assert(sizeof(WINDOWPLACEMENT) == stored::kPlacementBytes, "the stored record is the platform's own");
// Registry paths are kept within this many characters.
constexpr std::size_t kMaxKeyPath = 260;

std::wstring settingsKeyPath()
{
    std::wstring path = std::wstring(L"Software\\") + product::kMakerName + L"\\" + product::kCompactName;
    if (path.size() >= kMaxKeyPath)
        path.resize(kMaxKeyPath - 1);
    return path;
}

// Opened for reading and writing, created when it is not there yet; null when neither works.
HKEY openSettingsKey()
{
    const std::wstring path = settingsKeyPath();
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ | KEY_WRITE, &key) == ERROR_SUCCESS && key)
        return key;
    key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                        nullptr, &key, nullptr) == ERROR_SUCCESS && key)
        return key;
    return nullptr;
}

stored::Placement toStored(const WINDOWPLACEMENT& wp)
{
    stored::Placement p;
    p.length = wp.length;
    p.flags = wp.flags;
    p.showCmd = wp.showCmd;
    p.minX = wp.ptMinPosition.x;
    p.minY = wp.ptMinPosition.y;
    p.maxX = wp.ptMaxPosition.x;
    p.maxY = wp.ptMaxPosition.y;
    p.left = wp.rcNormalPosition.left;
    p.top = wp.rcNormalPosition.top;
    p.right = wp.rcNormalPosition.right;
    p.bottom = wp.rcNormalPosition.bottom;
    return p;
}

WINDOWPLACEMENT fromStored(const stored::Placement& p)
{
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof(WINDOWPLACEMENT);
    wp.flags = p.flags;
    wp.showCmd = p.showCmd;
    wp.ptMinPosition = {p.minX, p.minY};
    wp.ptMaxPosition = {p.maxX, p.maxY};
    wp.rcNormalPosition = {p.left, p.top, p.right, p.bottom};
    return wp;
}

// The stored placement, when there is a complete one: anything of another type or size, or a
// record that does not carry its own length, counts as none.
bool readPlacement(HKEY key, WINDOWPLACEMENT& out)
{
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, kPlacementValue, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    if (type != REG_BINARY || size > stored::kPlacementBytes)
        return false;
    std::uint8_t buffer[stored::kPlacementBytes] = {};
    size = sizeof buffer;
    if (RegQueryValueExW(key, kPlacementValue, nullptr, &type, buffer, &size) != ERROR_SUCCESS)
        return false;
    const auto placement = stored::decodePlacement(type, buffer, size);
    if (!placement)
        return false;
    out = fromStored(*placement);
    return true;
}

} // namespace

bool loadSettings()
{
    HKEY key = openSettingsKey();
    if (!key)
        return false;
    AppContext& ctx = appContext();
    WINDOWPLACEMENT wp = {};
    if (readPlacement(key, wp)) {
        ctx.placement = wp;
        ctx.placementValid = TRUE;
    }
    RegCloseKey(key);
    return true;
}

bool saveSettings()
{
    HKEY key = openSettingsKey();
    if (!key)
        return false;
    const AppContext& ctx = appContext();
    // Without a captured placement the older value stays.
    if (ctx.placementValid) {
        const auto bytes = stored::encodePlacement(toStored(ctx.placement));
        RegSetValueExW(key, kPlacementValue, 0, REG_BINARY, bytes.data(), DWORD(bytes.size()));
    }
    RegCloseKey(key);
    return true;
}
