// The time read-out above the time slider.
#pragma once

#include <cstdint>
#include <string>

namespace playbar {

constexpr int kFlashKind = 2;  // such players count in their own units, shown as plain numbers

// hh:mm:ss from milliseconds (hours not limited to two digits), or the plain number for a
// player of the Flash kind.
std::wstring formatTime(std::int64_t value, int kind);

// "length / position": the length comes first.
std::wstring timeText(std::int64_t length, std::int64_t position, int kind);

} // namespace playbar
