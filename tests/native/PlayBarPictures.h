// The sizes of the bar's stored pictures, read from the PNG files the resources are made of,
// so that the geometry checks follow the pictures the program really ships.
#pragma once

#include "ui/playbar/logic/BarControls.h"
#include "ui/playbar/logic/BarGeometry.h"

#include <cstdint>
#include <fstream>
#include <optional>
#include <string>

namespace playbar_test {

inline std::string narrow(const wchar_t* ascii)
{
    std::string s;
    for (; *ascii; ++ascii)
        s.push_back(static_cast<char>(*ascii));
    return s;
}

inline std::string picturePath(const std::string& name)
{
    return std::string(VESPERINE_SOURCE_DIR) + "/src/res/png/" + name + ".png";
}

// Width and height from the PNG header; none when the file is missing or not a PNG.
inline std::optional<playbar::Size> pictureSize(const std::string& name)
{
    std::ifstream in(picturePath(name), std::ios::binary);
    unsigned char head[24] = {};
    if (!in.read(reinterpret_cast<char*>(head), sizeof head))
        return std::nullopt;
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    for (int i = 0; i < 8; ++i)
        if (head[i] != signature[i])
            return std::nullopt;
    auto be32 = [&](int at) {
        return static_cast<int>((std::uint32_t(head[at]) << 24) | (std::uint32_t(head[at + 1]) << 16)
            | (std::uint32_t(head[at + 2]) << 8) | std::uint32_t(head[at + 3]));
    };
    return playbar::Size{be32(16), be32(20)};
}

// Every control of the bar with its stored picture.
inline playbar::ControlSizes storedControlSizes()
{
    playbar::ControlSizes sizes;
    for (const auto& c : playbar::barControls)
        if (auto s = pictureSize(narrow(c.imageName)))
            sizes[c.id] = *s;
    return sizes;
}

inline int storedBarHeight()
{
    return playbar::barHeight(true, pictureSize("IDB_BAR_BKG"));
}

} // namespace playbar_test
