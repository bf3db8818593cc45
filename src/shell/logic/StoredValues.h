// What the registry values of the program may hold, and what a damaged one counts as.
// Plain C++: the Win32 settings store and hand-off read the raw value and ask these.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace stored {

// Registry value types, as the registry numbers them.
constexpr std::uint32_t kTypeString = 1;   // REG_SZ
constexpr std::uint32_t kTypeBinary = 3;   // REG_BINARY
constexpr std::uint32_t kTypeDword = 4;    // REG_DWORD

// The window placement record "MAIN_WP": 44 bytes, little-endian, no header.
constexpr std::size_t kPlacementBytes = 44;

struct Placement {
    std::uint32_t length = kPlacementBytes;
    std::uint32_t flags = 0;
    std::uint32_t showCmd = 1;           // 1 normal, 2 minimised, 3 maximised
    std::int32_t minX = 0, minY = 0;
    std::int32_t maxX = 0, maxY = 0;
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const Placement& o) const;
};

std::array<std::uint8_t, kPlacementBytes> encodePlacement(const Placement& p);

// A stored placement counts only when it is binary, exactly 44 bytes long, and says so in its
// own length field; anything else (missing, another type, 43 or 45 bytes, a garbled record) is
// treated as absent.
std::optional<Placement> decodePlacement(std::uint32_t type, const std::uint8_t* data, std::size_t size);

// "MainFrame_Handle": a REG_DWORD of at most 4 bytes naming a window other than 0.
std::optional<std::uint32_t> decodeWindowHandle(std::uint32_t type, const std::uint8_t* data, std::size_t size);

// The longest path the running instance reads back from "MainFrame_NewFile", in UTF-16 units.
constexpr std::size_t kMaxHandOffPath = 260;

// A path is handed over only if the running instance can read all of it back; a longer one is
// opened by the new process itself instead of being dropped. The new process writes the path
// without its terminating null, but the registry stores one anyway (it adds the null that
// follows the counted text in memory), so the value is one character longer than the path:
// 259 characters are the most that fit in the 520 bytes the running instance reads.
bool canHandOver(std::size_t utf16Length);

// "MainFrame_NewFile": REG_SZ of at most 520 bytes, stored without terminator; the text up to
// the first null, or empty when the value is not usable. data holds UTF-16 code units.
std::u16string decodeNewFile(std::uint32_t type, const std::uint8_t* data, std::size_t size);

} // namespace stored
