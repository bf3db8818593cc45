// Test advertisement library (libads.dll). Each call is appended to a log and answered as the
// test asks, through the environment the program inherits:
//   VESPERINE_FAKE_ADS_LOG      file that gets one UTF-8 line per call: owner (hex), title, page,
//                               separated by tabs
//   VESPERINE_FAKE_ADS_ANSWERS  answers of the first, second, ... call, comma-separated; the last
//                               one repeats; 0 when unset
//   VESPERINE_FAKE_ADS_REENTER  when 1, the call asks the owner to close again and runs a message
//                               loop for a while, as an advertisement window would while the
//                               user clicks the close box a second time
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::wstring env(const wchar_t* name)
{
    wchar_t buffer[1024];
    const DWORD n = GetEnvironmentVariableW(name, buffer, 1024);
    return (n > 0 && n < 1024) ? std::wstring(buffer, n) : std::wstring();
}

std::string utf8(const wchar_t* text)
{
    if (!text)
        return "(null)";
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n - 1 : 0, '\0');
    if (n > 1)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, &out[0], n, nullptr, nullptr);
    return out;
}

// Calls recorded before this one.
int callsSoFar(const std::wstring& log)
{
    FILE* f = _wfopen(log.c_str(), L"rb");
    if (!f)
        return 0;
    int lines = 0;
    for (int c; (c = fgetc(f)) != EOF;)
        if (c == '\n')
            ++lines;
    fclose(f);
    return lines;
}

int answerFor(int call)
{
    const std::wstring answers = env(L"VESPERINE_FAKE_ADS_ANSWERS");
    std::vector<int> list;
    std::size_t start = 0;
    while (start < answers.size()) {
        std::size_t end = answers.find(L',', start);
        if (end == std::wstring::npos)
            end = answers.size();
        list.push_back(_wtoi(answers.substr(start, end - start).c_str()));
        start = end + 1;
    }
    if (list.empty())
        return 0;
    return call < int(list.size()) ? list[call] : list.back();
}

void runLoopWhileClosedAgain(HWND owner)
{
    PostMessageW(owner, WM_CLOSE, 0, 0);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < 500) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    }
}

} // namespace

extern "C" __declspec(dllexport) int __cdecl libads_show(HWND owner, const wchar_t* title, const wchar_t* page)
{
    const std::wstring log = env(L"VESPERINE_FAKE_ADS_LOG");
    const int call = log.empty() ? 0 : callsSoFar(log);
    if (!log.empty()) {
        if (FILE* f = _wfopen(log.c_str(), L"ab")) {
            std::fprintf(f, "%lx\t%s\t%s\n", static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(owner)),
                         utf8(title).c_str(), utf8(page).c_str());
            std::fclose(f);
        }
    }
    if (env(L"VESPERINE_FAKE_ADS_REENTER") == L"1")
        runLoopWhileClosedAgain(owner);
    return answerFor(call);
}
