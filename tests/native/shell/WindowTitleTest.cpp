#include "WindowTitle.h"

#include <gtest/gtest.h>

namespace {

struct TitleCase {
    int state;
    const wchar_t* fileName;
    const wchar_t* expected;
};

class WindowTitleTest : public ::testing::TestWithParam<TitleCase> {};

TEST_P(WindowTitleTest, NamesTheFileOnlyWhilePlayingOrPaused)
{
    const TitleCase& c = GetParam();
    EXPECT_EQ(windowTitle(L"Vesperine", c.state, c.fileName), c.expected);
}

INSTANTIATE_TEST_SUITE_P(States, WindowTitleTest,
                         ::testing::Values(TitleCase{3, L"clip.m2ts", L"Vesperine - clip.m2ts"},
                                           TitleCase{4, L"clip.m2ts", L"Vesperine - clip.m2ts"},
                                           TitleCase{0, L"clip.m2ts", L"Vesperine"},
                                           TitleCase{1, L"clip.m2ts", L"Vesperine"},
                                           TitleCase{5, L"clip.m2ts", L"Vesperine"},
                                           TitleCase{6, L"clip.m2ts", L"Vesperine"},
                                           TitleCase{7, L"clip.m2ts", L"Vesperine"},
                                           TitleCase{3, L"", L"Vesperine"},
                                           TitleCase{4, L"", L"Vesperine"}));

TEST(WindowTitleLength, LongNamesAreCutTo259Characters)
{
    const std::wstring longName(400, L'x');
    const std::wstring title = windowTitle(L"Vesperine", 3, longName);
    ASSERT_EQ(title.size(), 259u);
    EXPECT_EQ(title.substr(0, 12), L"Vesperine - ");
    EXPECT_EQ(title.substr(12), std::wstring(247, L'x'));

    // A title of exactly 259 characters stays whole.
    const std::wstring fits(247, L'y');
    EXPECT_EQ(windowTitle(L"Vesperine", 4, fits), L"Vesperine - " + fits);
}

TEST(WindowTitleLength, TheCutNeverSplitsASurrogatePair)
{
    // 246 letters then a pair at positions 258/259: the cut would fall between its halves.
    std::wstring name(246, L'a');
    name += wchar_t(0xD83C);
    name += wchar_t(0xDFAC);
    name += L"tail";
    const std::wstring title = windowTitle(L"Vesperine", 3, name);
    EXPECT_EQ(title, L"Vesperine - " + std::wstring(246, L'a'));
}

TEST(AboutText, IsNameCommaVersion)
{
    EXPECT_EQ(aboutText(L"Vesperine", L"1.0"), L"Vesperine, Version 1.0");
}

} // namespace
