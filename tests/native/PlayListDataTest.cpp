// The playlist against real folders.
#include "playback/PlayListData.h"

#include "platform/Platform.h"

#include "TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Listed {
    std::wstring path;
    int current;
    bool operator==(const Listed& o) const { return path == o.path && current == o.current; }
};

void PrintTo(const Listed& e, std::ostream* os) {
    *os << platform::toUtf8(e.path) << (e.current ? " (current)" : "");
}

std::vector<Listed> listed(const PlayListData& list) {
    std::vector<Listed> out;
    for (const PlayListEntry& e : list.entries)
        out.push_back({e.path, e.current});
    return out;
}

class PlayListDataTest : public ::testing::Test {
protected:
    // The folder as the playlist sees it, with the separator at the end.
    std::wstring folder() const { return platform::fromUtf8(dir.path()) + L"/"; }

    TempFolder dir;
    PlayListData list;
};

// --- The extension filter ------------------------------------------------------------------

TEST_F(PlayListDataTest, ExtensionWordsAreReadOnFirstUse) {
    EXPECT_TRUE(list.extensions.empty());
    list.isSupported(L"clip.txt");
    EXPECT_EQ(list.extensions, std::vector<std::wstring>{L"m2ts"});
}

TEST_F(PlayListDataTest, IsSupportedLooksAtTheTextFromTheLastDotOfTheWholePath) {
    const struct {
        std::wstring path;
        bool supported;
    } cases[] = {
        {L"/clips/clip.m2ts", true},
        {L"/clips/CLIP.M2TS", true},
        {L"/clips/clip.M2tS", true},
        {L"/clips/clip.m2tsx", true},        // a longer extension containing the word
        {L"/clips/clip.xm2ts", true},
        {L"/clips/clip.m2ts.bak", false},    // only the last dot counts
        {L"/clips/clip.mts", false},
        {L"/clips/clip", false},
        {L"/clips/m2ts", false},             // no dot at all
        {L"/clips.m2ts/readme", true},       // the folder's dot is the last one
        {L"/new.folder/clip", false},
        {L"", false},
        {L"/clips/clip.\u039C2TS", false},    // only ASCII letters are lowered
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(platform::toUtf8(c.path));
        EXPECT_EQ(list.isSupported(c.path), c.supported);
    }
}

TEST(PlayListSplitWords, AppendsWhitespaceSeparatedWords) {
    std::vector<std::wstring> words{L"kept"};
    EXPECT_EQ(PlayListData::splitWords(L"  m2ts\tmts\n ts  ", words), 4);
    EXPECT_EQ(words, (std::vector<std::wstring>{L"kept", L"m2ts", L"mts", L"ts"}));
    EXPECT_EQ(PlayListData::splitWords(L" \t ", words), 4);
}

// --- build ---------------------------------------------------------------------------------

TEST_F(PlayListDataTest, BuildListsTheSupportedSiblingsSortedWithTheOpenedFileCurrent) {
    for (const char* name : {"a.m2ts", "b.m2ts", "C.M2TS", "notes.txt", ".hidden.m2ts"})
        dir.file(name);
    dir.folder("sub.m2ts");
    dir.file("sub.m2ts/inner.m2ts");

    EXPECT_EQ(list.build(folder() + L"b.m2ts"), 3);
    const std::vector<Listed> expected = {
        {folder() + L"C.M2TS", 0},
        {folder() + L"a.m2ts", 0},
        {folder() + L"b.m2ts", 1},
    };
    EXPECT_EQ(listed(list), expected);
    EXPECT_EQ(list.currentIndex(), 2);
}

TEST_F(PlayListDataTest, PathTypedInAnotherLetterCaseBuildsTheListWithoutCurrent) {
    dir.file("a.m2ts");
    dir.file("b.m2ts");
    EXPECT_EQ(list.build(folder() + L"B.M2TS"), 2);
    EXPECT_EQ(list.currentIndex(), -1);
}

TEST_F(PlayListDataTest, ExtensionTestUsesTheWholePathDuringBuild) {
    dir.folder("clips.m2ts");
    dir.file("clips.m2ts/readme");
    dir.folder("new.folder");
    dir.file("new.folder/clip");

    EXPECT_EQ(list.build(folder() + L"clips.m2ts/readme"), 1);
    EXPECT_EQ(list.currentIndex(), 0);
    EXPECT_EQ(list.build(folder() + L"new.folder/clip"), 0);
}

TEST_F(PlayListDataTest, FilesThatCannotBeOpenedAreLeftOut) {
    dir.file("good.m2ts");
    dir.symlink(dir.at("no-such-target"), "x.m2ts"); // listed, but opening it fails
    dir.fifo("pipe.m2ts");                            // must not stall the build
    dir.folder("target");
    dir.symlink(dir.at("target"), "linked-folder.m2ts");

    EXPECT_EQ(list.build(folder() + L"good.m2ts"), 1);
    EXPECT_EQ(list.pathAt(0), folder() + L"good.m2ts");
}

TEST_F(PlayListDataTest, OneFileAloneGivesOneCurrentEntry) {
    dir.file("\xC3\xBC \xE5\xA4\x9C.m2ts");
    const std::wstring path = folder() + L"\u00FC \u591C.m2ts";
    EXPECT_EQ(list.build(path), 1);
    EXPECT_EQ(listed(list), (std::vector<Listed>{{path, 1}}));
}

TEST_F(PlayListDataTest, BuildThatFindsNothingLeavesTheEarlierListEmpty) {
    dir.file("a.m2ts");
    dir.file("plain.txt");
    const std::wstring cases[] = {
        L"a.m2ts",                               // no separator: a bare name
        folder() + L"missing/a.m2ts",            // folder does not exist
        folder() + L"plain.txt/a.m2ts",          // "folder" is a file
        L"",
    };
    for (const std::wstring& c : cases) {
        SCOPED_TRACE(platform::toUtf8(c));
        ASSERT_EQ(list.build(folder() + L"a.m2ts"), 1);
        EXPECT_EQ(list.build(c), 0);
        EXPECT_EQ(list.count(), 0);
        EXPECT_EQ(list.currentIndex(), -1);
    }
}

TEST_F(PlayListDataTest, AddAcceptsOnlyReadableSupportedFiles) {
    dir.file("a.m2ts");
    dir.file("notes.txt");
    EXPECT_EQ(list.add(folder() + L"notes.txt", 0), -1);
    EXPECT_EQ(list.add(folder() + L"missing.m2ts", 0), -1);
    EXPECT_EQ(list.add(folder() + L"a.m2ts", 1), 0);
    EXPECT_EQ(list.add(folder() + L"a.m2ts", 0), 1);
    EXPECT_EQ(listed(list), (std::vector<Listed>{{folder() + L"a.m2ts", 1}, {folder() + L"a.m2ts", 0}}));
}

// --- sort ----------------------------------------------------------------------------------

TEST(PlayListSort, OrdersByPlainCodeUnitsAndMovesCurrentWithItsPath) {
    const struct {
        const char* label;
        std::vector<std::wstring> given;
        std::vector<std::wstring> sorted;
    } cases[] = {
        {"upper case first", {L"/c/a.m2ts", L"/c/B.m2ts"}, {L"/c/B.m2ts", L"/c/a.m2ts"}},
        {"no natural numbers", {L"/c/clip2.m2ts", L"/c/clip10.m2ts"}, {L"/c/clip10.m2ts", L"/c/clip2.m2ts"}},
        {"shorter prefix first", {L"/c/clip.m2tsx", L"/c/clip.m2ts"}, {L"/c/clip.m2ts", L"/c/clip.m2tsx"}},
        {"non-ASCII after ASCII", {L"/c/\u00E9.m2ts", L"/c/z.m2ts", L"/c/\U0001F3AC.m2ts"},
         {L"/c/z.m2ts", L"/c/\u00E9.m2ts", L"/c/\U0001F3AC.m2ts"}},
        {"already sorted", {L"/c/A.m2ts", L"/c/b.m2ts"}, {L"/c/A.m2ts", L"/c/b.m2ts"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        PlayListData list;
        for (const std::wstring& p : c.given)
            list.entries.push_back({p == c.given.front() ? 1 : 0, p});
        list.sort();
        std::vector<Listed> expected;
        for (const std::wstring& p : c.sorted)
            expected.push_back({p, p == c.given.front() ? 1 : 0});
        EXPECT_EQ(listed(list), expected);
    }
}

// --- Stepping operations -------------------------------------------------------------------

class PlayListOfThree : public ::testing::Test {
protected:
    void SetUp() override {
        for (const wchar_t* p : {L"/c/a.m2ts", L"/c/b.m2ts", L"/c/c.m2ts"})
            list.entries.push_back({0, p});
        list.entries[1].current = 1;
    }
    PlayListData list;
};

TEST_F(PlayListOfThree, SetCurrentMarksExactlyOneEntry) {
    list.setCurrent(0);
    EXPECT_EQ(listed(list), (std::vector<Listed>{{L"/c/a.m2ts", 1}, {L"/c/b.m2ts", 0}, {L"/c/c.m2ts", 0}}));
    list.setCurrent(2);
    EXPECT_EQ(list.currentIndex(), 2);
    EXPECT_EQ(list.entries[0].current, 0);
}

TEST_F(PlayListOfThree, IndicesOutsideTheListChangeNothing) {
    const std::vector<Listed> before = listed(list);
    for (int index : {-1, 3, 100, -100}) {
        SCOPED_TRACE(index);
        list.setCurrent(index);
        EXPECT_FALSE(list.remove(index));
        EXPECT_EQ(list.pathAt(index), L"");
        EXPECT_EQ(listed(list), before);
    }
    EXPECT_EQ(list.pathAt(0), L"/c/a.m2ts");
    EXPECT_EQ(list.pathAt(2), L"/c/c.m2ts");
}

TEST_F(PlayListOfThree, RemoveMovesLaterEntriesDown) {
    EXPECT_TRUE(list.remove(0));
    EXPECT_EQ(listed(list), (std::vector<Listed>{{L"/c/b.m2ts", 1}, {L"/c/c.m2ts", 0}}));
    EXPECT_EQ(list.currentIndex(), 0);
}

TEST_F(PlayListOfThree, RemovingTheCurrentEntryLeavesNoneCurrent) {
    EXPECT_TRUE(list.remove(1));
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.currentIndex(), -1);
    EXPECT_EQ(list.pathAt(1), L"/c/c.m2ts");
}

} // namespace
