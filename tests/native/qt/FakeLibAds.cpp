// Test advertisement library for the Linux front end (libads.so). Each call is appended to a
// log and answered as the test asks, through the environment the program inherits:
//   VESPERINE_FAKE_ADS_LOG      file that gets one UTF-8 line per call: owner (hex), title, page,
//                               separated by tabs
//   VESPERINE_FAKE_ADS_ANSWERS  answers of the first, second, ... call, comma-separated; the last
//                               one repeats; 0 when unset
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

// UTF-8 of the UTF-32 text the program passes.
std::string utf8(const wchar_t* text)
{
    if (!text)
        return "(null)";
    std::string out;
    for (; *text; ++text) {
        const auto c = static_cast<std::uint32_t>(*text);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

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
