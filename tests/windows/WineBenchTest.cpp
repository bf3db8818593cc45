// Proves the Wine test bench: real windows and the current user's registry work in the prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

LRESULT CALLBACK plainProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcW(h, m, w, l); }

TEST(WineBench, WindowOfOwnClassHasTheClientSizeAskedFor)
{
    HINSTANCE inst = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = plainProc;
    wc.hInstance = inst;
    wc.lpszClassName = L"VesperineBenchWnd";
    ASSERT_NE(RegisterClassExW(&wc), 0);

    const DWORD style = WS_OVERLAPPEDWINDOW;
    RECT r = {0, 0, 333, 217};
    ASSERT_TRUE(AdjustWindowRectEx(&r, style, FALSE, 0));
    HWND h = CreateWindowExW(0, wc.lpszClassName, L"bench", style, 10, 10, r.right - r.left, r.bottom - r.top,
                             nullptr, nullptr, inst, nullptr);
    ASSERT_NE(h, nullptr);

    wchar_t cls[64] = {};
    GetClassNameW(h, cls, 64);
    EXPECT_STREQ(cls, L"VesperineBenchWnd");
    RECT client = {};
    ASSERT_TRUE(GetClientRect(h, &client));
    EXPECT_EQ(client.right - client.left, 333);
    EXPECT_EQ(client.bottom - client.top, 217);

    EXPECT_TRUE(DestroyWindow(h));
    EXPECT_FALSE(IsWindow(h));
    UnregisterClassW(wc.lpszClassName, inst);
}

TEST(WineBench, CurrentUserRegistryKeepsAValue)
{
    const wchar_t* keyPath = L"Software\\Vesperine\\BenchTest";
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const std::wstring written = L"C:\\clips\\Brücke 1.m2ts";
    ASSERT_EQ(RegSetValueExW(key, L"Probe", 0, REG_SZ, reinterpret_cast<const BYTE*>(written.c_str()),
                             DWORD((written.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    RegCloseKey(key);

    wchar_t buf[MAX_PATH] = {};
    DWORD size = sizeof(buf), type = 0;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, keyPath, L"Probe", RRF_RT_ANY, &type, buf, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD(REG_SZ));
    EXPECT_EQ(std::wstring(buf), written);

    EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, keyPath), ERROR_SUCCESS);
    EXPECT_NE(RegGetValueW(HKEY_CURRENT_USER, keyPath, L"Probe", RRF_RT_ANY, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
}

} // namespace
