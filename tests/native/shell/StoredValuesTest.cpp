// What the program accepts from its registry values, and what it ignores.
#include "StoredValues.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using stored::Placement;

Placement sample()
{
    Placement p;
    p.flags = 2;
    p.showCmd = 3;
    p.minX = -32000;
    p.minY = -32000;
    p.maxX = -1;
    p.maxY = -1;
    p.left = 120;
    p.top = 80;
    p.right = 808;
    p.bottom = 600;
    return p;
}

TEST(StoredPlacement, RoundTripsAsTheFortyFourByteLittleEndianRecord)
{
    const auto bytes = stored::encodePlacement(sample());
    // length 44, flags 2, show command 3, then minimised x = -32000 as two's complement.
    const std::vector<std::uint8_t> head(bytes.begin(), bytes.begin() + 16);
    EXPECT_EQ(head, (std::vector<std::uint8_t>{44, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 0x00, 0x83, 0xFF, 0xFF}));
    const auto back = stored::decodePlacement(stored::kTypeBinary, bytes.data(), bytes.size());
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, sample());
}

TEST(StoredPlacement, DamagedValuesCountAsAbsent)
{
    auto good = stored::encodePlacement(sample());
    std::vector<std::uint8_t> longer(good.begin(), good.end());
    longer.push_back(0);
    auto wrongLength = good;
    wrongLength[0] = 40;
    struct Case {
        const char* what;
        std::uint32_t type;
        const std::uint8_t* data;
        std::size_t size;
    };
    const Case cases[] = {
        {"43 bytes", stored::kTypeBinary, good.data(), 43},
        {"45 bytes", stored::kTypeBinary, longer.data(), 45},
        {"empty", stored::kTypeBinary, good.data(), 0},
        {"a string", stored::kTypeString, good.data(), 44},
        {"a number", stored::kTypeDword, good.data(), 44},
        {"length field 40", stored::kTypeBinary, wrongLength.data(), 44},
        {"no data", stored::kTypeBinary, nullptr, 44},
    };
    for (const auto& c : cases)
        EXPECT_FALSE(stored::decodePlacement(c.type, c.data, c.size).has_value()) << c.what;
}

TEST(StoredHandOff, WindowHandleMustBeANonZeroDword)
{
    const std::uint8_t handle[4] = {0x34, 0x12, 0x02, 0x00};
    const std::uint8_t zero[4] = {};
    const std::uint8_t eight[8] = {1, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(stored::decodeWindowHandle(stored::kTypeDword, handle, 4), std::optional<std::uint32_t>(0x21234));
    EXPECT_EQ(stored::decodeWindowHandle(stored::kTypeDword, handle, 2), std::optional<std::uint32_t>(0x1234));
    EXPECT_FALSE(stored::decodeWindowHandle(stored::kTypeDword, zero, 4).has_value());
    EXPECT_FALSE(stored::decodeWindowHandle(stored::kTypeDword, eight, 8).has_value());
    EXPECT_FALSE(stored::decodeWindowHandle(stored::kTypeBinary, handle, 4).has_value());
    EXPECT_FALSE(stored::decodeWindowHandle(stored::kTypeString, handle, 4).has_value());
    EXPECT_FALSE(stored::decodeWindowHandle(stored::kTypeDword, handle, 0).has_value());
}

std::vector<std::uint8_t> utf16Bytes(const std::u16string& text)
{
    std::vector<std::uint8_t> out;
    for (char16_t c : text) {
        out.push_back(std::uint8_t(c & 0xFF));
        out.push_back(std::uint8_t(c >> 8));
    }
    return out;
}

TEST(StoredHandOff, NewFileStoredWithoutTerminatorComesBackWhole)
{
    const std::u16string path = u"C:\\Filme\\Brücke über 夜.m2ts";
    const auto bytes = utf16Bytes(path);                 // no terminator, as the new process writes it
    EXPECT_EQ(stored::decodeNewFile(stored::kTypeString, bytes.data(), bytes.size()), path);

    auto terminated = bytes;
    terminated.insert(terminated.end(), {0, 0, 'x', 0});
    EXPECT_EQ(stored::decodeNewFile(stored::kTypeString, terminated.data(), terminated.size()), path);

    const std::u16string longest(260, u'a');
    const auto full = utf16Bytes(longest);
    EXPECT_EQ(stored::decodeNewFile(stored::kTypeString, full.data(), full.size()), longest);
    const auto tooLong = utf16Bytes(longest + u"b");
    EXPECT_EQ(stored::decodeNewFile(stored::kTypeString, tooLong.data(), tooLong.size()), u"");
    EXPECT_EQ(stored::decodeNewFile(stored::kTypeBinary, bytes.data(), bytes.size()), u"");
    EXPECT_EQ(stored::decodeNewFile(stored::kTypeString, bytes.data(), 3), u"C");      // odd byte dropped
}

TEST(StoredHandOff, OnlyPathsTheRunningInstanceCanReadBackAreHandedOver)
{
    EXPECT_TRUE(stored::canHandOver(1));
    EXPECT_TRUE(stored::canHandOver(259));
    // With the terminator the registry adds, 260 characters take 522 bytes: more than is read.
    EXPECT_FALSE(stored::canHandOver(260));
    EXPECT_FALSE(stored::canHandOver(261));
    EXPECT_FALSE(stored::canHandOver(0));
}

} // namespace
