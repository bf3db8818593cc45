#include "StoredValues.h"

namespace stored {

namespace {

void put32(std::uint8_t* out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[i] = std::uint8_t(v >> (8 * i));
}

std::uint32_t get32(const std::uint8_t* in)
{
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= std::uint32_t(in[i]) << (8 * i);
    return v;
}

} // namespace

bool Placement::operator==(const Placement& o) const
{
    return length == o.length && flags == o.flags && showCmd == o.showCmd && minX == o.minX && minY == o.minY &&
           maxX == o.maxX && maxY == o.maxY && left == o.left && top == o.top && right == o.right &&
           bottom == o.bottom;
}

std::array<std::uint8_t, kPlacementBytes> encodePlacement(const Placement& p)
{
    std::array<std::uint8_t, kPlacementBytes> out{};
    const std::uint32_t fields[11] = {p.length,
                                      p.flags,
                                      p.showCmd,
                                      std::uint32_t(p.minX),
                                      std::uint32_t(p.minY),
                                      std::uint32_t(p.maxX),
                                      std::uint32_t(p.maxY),
                                      std::uint32_t(p.left),
                                      std::uint32_t(p.top),
                                      std::uint32_t(p.right),
                                      std::uint32_t(p.bottom)};
    for (int i = 0; i < 11; ++i)
        put32(out.data() + 4 * i, fields[i]);
    return out;
}

std::optional<Placement> decodePlacement(std::uint32_t type, const std::uint8_t* data, std::size_t size)
{
    if (type != kTypeBinary || size != kPlacementBytes || !data)
        return std::nullopt;
    Placement p;
    p.length = get32(data);
    if (p.length != kPlacementBytes)
        return std::nullopt;
    p.flags = get32(data + 4);
    p.showCmd = get32(data + 8);
    p.minX = std::int32_t(get32(data + 12));
    p.minY = std::int32_t(get32(data + 16));
    p.maxX = std::int32_t(get32(data + 20));
    p.maxY = std::int32_t(get32(data + 24));
    p.left = std::int32_t(get32(data + 28));
    p.top = std::int32_t(get32(data + 32));
    p.right = std::int32_t(get32(data + 36));
    p.bottom = std::int32_t(get32(data + 40));
    return p;
}

std::optional<std::uint32_t> decodeWindowHandle(std::uint32_t type, const std::uint8_t* data, std::size_t size)
{
    if (type != kTypeDword || size == 0 || size > 4 || !data)
        return std::nullopt;
    std::uint8_t padded[4] = {};
    for (std::size_t i = 0; i < size; ++i)
        padded[i] = data[i];
    const std::uint32_t handle = get32(padded);
    if (handle == 0)
        return std::nullopt;
    return handle;
}

bool canHandOver(std::size_t utf16Length) { return utf16Length > 0 && utf16Length + 1 <= kMaxHandOffPath; }

std::u16string decodeNewFile(std::uint32_t type, const std::uint8_t* data, std::size_t size)
{
    if (type != kTypeString || size > 2 * kMaxHandOffPath || !data)
        return {};
    std::u16string text;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const char16_t unit = char16_t(data[i] | (data[i + 1] << 8));
        if (unit == 0)
            break;
        text.push_back(unit);
    }
    return text;
}

} // namespace stored
