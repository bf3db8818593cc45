#include "TimeText.h"

#include <cstdio>

namespace playbar {

namespace {

std::wstring widen(const char* ascii)
{
    std::wstring out;
    for (const char* p = ascii; *p; ++p)
        out.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*p)));
    return out;
}

} // namespace

std::wstring formatTime(std::int64_t value, int kind)
{
    char text[64];
    if (kind == kFlashKind) {
        std::snprintf(text, sizeof text, "%ld", static_cast<long>(static_cast<std::int32_t>(value)));
        return widen(text);
    }
    const std::int64_t s = value / 1000;
    const std::int64_t m = s / 60;
    const std::int64_t h = m / 60;
    std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld",
        static_cast<long>(static_cast<std::int32_t>(h)),
        static_cast<long>(static_cast<std::int32_t>(m) % 60),
        static_cast<long>(static_cast<std::int32_t>(s) % 60));
    return widen(text);
}

std::wstring timeText(std::int64_t length, std::int64_t position, int kind)
{
    return formatTime(length, kind) + L" / " + formatTime(position, kind);
}

} // namespace playbar
