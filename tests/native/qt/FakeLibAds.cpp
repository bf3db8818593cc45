// Test advertisement library for the Linux front end (libads.so). Each call is appended to a
// log and answered as the test asks, through the environment the program inherits:
//   VESPERINE_FAKE_ADS_LOG      file that gets one UTF-8 line per call: owner (hex), title, page,
//                               separated by tabs
//   VESPERINE_FAKE_ADS_ANSWERS  answers of the first, second, ... call, comma-separated; the last
//                               one repeats; 0 when unset
#include "platform/Platform.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string env(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

// UTF-8 of the text the program passes.
std::string utf8(const wchar_t* text) { return text ? platform::toUtf8(text) : "(null)"; }

int callsSoFar(const std::string& log)
{
    FILE* f = std::fopen(log.c_str(), "rb");
    if (!f)
        return 0;
    int lines = 0;
    for (int c; (c = std::fgetc(f)) != EOF;)
        if (c == '\n')
            ++lines;
    std::fclose(f);
    return lines;
}

int answerFor(int call)
{
    const std::string answers = env("VESPERINE_FAKE_ADS_ANSWERS");
    std::vector<int> list;
    std::size_t start = 0;
    while (start < answers.size()) {
        std::size_t end = answers.find(',', start);
        if (end == std::string::npos)
            end = answers.size();
        list.push_back(std::atoi(answers.substr(start, end - start).c_str()));
        start = end + 1;
    }
    if (list.empty())
        return 0;
    return call < static_cast<int>(list.size()) ? list[call] : list.back();
}

} // namespace

extern "C" __attribute__((visibility("default"))) int libads_show(void* owner, const wchar_t* title, const wchar_t* page)
{
    const std::string log = env("VESPERINE_FAKE_ADS_LOG");
    const int call = log.empty() ? 0 : callsSoFar(log);
    if (!log.empty()) {
        if (FILE* f = std::fopen(log.c_str(), "ab")) {
            std::fprintf(f, "%lx\t%s\t%s\n", static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(owner)),
                utf8(title).c_str(), utf8(page).c_str());
            std::fclose(f);
        }
    }
    return answerFor(call);
}
