#include "HandOff.h"

#include "AppContext.h"
#include "Shell.h"
#include "ShellMessages.h"
#include "logic/Product.h"
#include "logic/StoredValues.h"

#include "platform/Platform.h"

namespace {

constexpr const wchar_t* kHandleValue = L"MainFrame_Handle";
constexpr const wchar_t* kNewFileValue = L"MainFrame_NewFile";
// Registry paths are kept within this many characters.
constexpr std::size_t kMaxKeyPath = 260;

// Closes the key when it goes out of scope.
class Key {
public:
    explicit Key(const wchar_t* displayName);
    ~Key()
    {
        if (key)
            RegCloseKey(key);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    explicit operator bool() const { return key != nullptr; }
    HKEY get() const { return key; }

private:
    HKEY key = nullptr;
};

// Read and write if possible, then setting values only, then created anew.
Key::Key(const wchar_t* displayName)
{
    std::wstring path = std::wstring(L"Software\\") + (displayName ? displayName : L"");
    if (path.size() >= kMaxKeyPath)
        path.resize(kMaxKeyPath - 1);
    HKEY k = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ | KEY_WRITE, &k) == ERROR_SUCCESS && k) {
        key = k;
        return;
    }
    k = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_SET_VALUE, &k) == ERROR_SUCCESS && k) {
        key = k;
        return;
    }
    k = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                        nullptr, &k, nullptr) == ERROR_SUCCESS)
        key = k;
}

// The recorded window handle, or null when the value is missing or not a usable number.
HWND storedWindow(HKEY key)
{
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, kHandleValue, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return nullptr;
    if (type != REG_DWORD || size > sizeof(std::uint32_t))
        return nullptr;
    std::uint8_t buffer[sizeof(std::uint32_t)] = {};
    size = sizeof buffer;
    if (RegQueryValueExW(key, kHandleValue, nullptr, &type, buffer, &size) != ERROR_SUCCESS)
        return nullptr;
    const auto handle = stored::decodeWindowHandle(type, buffer, size);
    return handle ? reinterpret_cast<HWND>(static_cast<ULONG_PTR>(*handle)) : nullptr;
}

// The window answers the ping as a player's main window does. A window that is busy past the
// time limit, or hung, gets no second chance: the new process starts on its own instead of
// waiting without end.
bool answersAsPlayer(HWND hWnd)
{
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(hWnd, WM_PLAYER_PING, 0, 0, SMTO_ABORTIFHUNG, kPingTimeoutMs, &answer))
        return false;
    return answer == WM_PLAYER_PING;
}

void bringToFront(HWND hWnd)
{
    SetForegroundWindow(hWnd);
    SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

} // namespace

bool handOffFile(const wchar_t* displayName, const std::wstring& path)
{
    // A path the running instance could not read back whole would be dropped there: this
    // process opens such a file itself.
    if (!stored::canHandOver(path.size()))
        return false;
    HWND running = nullptr;
    {
        Key key(displayName);
        if (!key)
            return false;
        running = storedWindow(key.get());
        // A handle left by an instance that has ended may name no window, or another one.
        if (!running || !IsWindow(running) || !answersAsPlayer(running))
            return false;
        // Counted without its terminator; the reader supplies one when the value has none.
        RegSetValueExW(key.get(), kNewFileValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                       DWORD(path.size() * sizeof(wchar_t)));
    }
    PostMessageW(running, WM_PLAYER_NEWFILE, 0, 0);
    return true;
}

bool storeMainWindow(const wchar_t* displayName, HWND hMainWnd)
{
    Key key(displayName);
    if (!key)
        return false;
    const DWORD handle = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(hMainWnd));
    return RegSetValueExW(key.get(), kHandleValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&handle),
                          sizeof handle) == ERROR_SUCCESS;
}

std::wstring readNewFile(const wchar_t* displayName)
{
    Key key(displayName);
    if (!key)
        return std::wstring();
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), kNewFileValue, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::wstring();
    if (type != REG_SZ || size > 2 * stored::kMaxHandOffPath)
        return std::wstring();
    // Room for the longest path and a terminator, zero-filled: a path stored without one comes
    // back terminated.
    wchar_t buffer[stored::kMaxHandOffPath + 1] = {};
    size = 2 * stored::kMaxHandOffPath;
    if (RegQueryValueExW(key.get(), kNewFileValue, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size)
        != ERROR_SUCCESS)
        return std::wstring();
    const std::u16string text =
        stored::decodeNewFile(type, reinterpret_cast<const std::uint8_t*>(buffer), size);
    return std::wstring(text.begin(), text.end());
}

void onNewFile()
{
    const std::wstring path = readNewFile(product::kDisplayName);
    // A stored path that is missing, damaged or no longer readable is dropped without a word.
    if (!platform::canOpenForReading(path))
        return;
    if (loadFile(path))
        bringToFront(appContext().hMainWnd);
}
