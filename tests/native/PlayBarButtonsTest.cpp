// The bar's control table, the button states and the commands the buttons send.
#include "PlayBarPictures.h"

#include "res/resource.h"
#include "ui/playbar/logic/BarControls.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

using namespace playbar;

struct Look {
    bool enabled = true;
    bool visible = true;
    bool operator==(const Look& o) const { return enabled == o.enabled && visible == o.visible; }
};

const int kButtons[] = {IDC_OPEN, IDC_PLAY, IDC_PAUSE, IDC_STOP, IDC_PREV, IDC_NEXT, IDC_MUTE,
    IDC_FULLSCREEN, IDC_LEAVE_FULLSCREEN};

// Applies a plan, in order, to buttons that all start in `start`.
std::map<int, Look> apply(const ButtonPlan& plan, Look start)
{
    std::map<int, Look> looks;
    for (int id : kButtons)
        looks[id] = start;
    for (const auto& c : plan.changes)
        looks[c.id] = {c.enable, c.show};
    return looks;
}

constexpr Look on{true, true};
constexpr Look off{false, false};
constexpr Look shownDisabled{false, true};

struct StateCase {
    const char* label;
    int state;
    bool canStep, hasFiles, fullScreen;
    std::map<int, Look> expected;
    bool clearsTime;
};

TEST(PlayBarButtons, FollowThePlayerPlaylistAndFullScreen) {
    const StateCase cases[] = {
        {"playing", 3, true, true, false,
            {{IDC_STOP, on}, {IDC_PAUSE, on}, {IDC_OPEN, off}, {IDC_PLAY, off}, {IDC_PREV, on},
                {IDC_NEXT, on}, {IDC_FULLSCREEN, on}, {IDC_LEAVE_FULLSCREEN, off}},
            false},
        {"paused", 4, true, true, false,
            {{IDC_STOP, on}, {IDC_PLAY, on}, {IDC_OPEN, off}, {IDC_PAUSE, off}}, false},
        {"paused with an empty playlist", 4, false, false, false,
            {{IDC_STOP, on}, {IDC_PLAY, shownDisabled}, {IDC_PREV, shownDisabled}}, false},
        {"no player", 0, false, true, false,
            {{IDC_OPEN, on}, {IDC_PLAY, on}, {IDC_STOP, off}, {IDC_PAUSE, off}}, true},
        {"stopped", 5, true, true, false, {{IDC_OPEN, on}, {IDC_PLAY, on}, {IDC_STOP, off}}, true},
        {"ended", 6, true, true, false, {{IDC_OPEN, on}, {IDC_PAUSE, off}}, true},
        {"empty playlist: play shown but disabled", 0, false, false, false,
            {{IDC_PLAY, shownDisabled}, {IDC_OPEN, on}}, true},
        {"one file: prev and next shown but disabled", 3, false, true, false,
            {{IDC_PREV, shownDisabled}, {IDC_NEXT, shownDisabled}}, false},
        {"full screen", 3, true, true, true,
            {{IDC_FULLSCREEN, off}, {IDC_LEAVE_FULLSCREEN, on}}, false},
        {"full screen, idle", 0, true, true, true,
            {{IDC_FULLSCREEN, off}, {IDC_LEAVE_FULLSCREEN, on}, {IDC_OPEN, on}}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        const ButtonPlan plan = planButtons(c.state, c.canStep, c.hasFiles, c.fullScreen);
        EXPECT_EQ(c.clearsTime, plan.clearShownTime);
        // The result must not depend on what the buttons looked like before.
        for (Look start : {on, off, shownDisabled}) {
            const auto looks = apply(plan, start);
            for (const auto& [id, look] : c.expected) {
                SCOPED_TRACE(id);
                EXPECT_TRUE(look == looks.at(id))
                    << "enabled " << looks.at(id).enabled << " visible " << looks.at(id).visible;
            }
        }
        // Mute is never touched.
        for (const auto& change : plan.changes)
            EXPECT_NE(IDC_MUTE, change.id);
    }
}

TEST(PlayBarButtons, HidesBeforeItShows) {
    // The pair sharing a slot must never be visible together, even for a moment.
    for (int state : {0, 3, 4, 6}) {
        SCOPED_TRACE(state);
        const ButtonPlan plan = planButtons(state, true, true, false);
        const ButtonTable& t = buttonTableFor(state);
        ASSERT_GE(plan.changes.size(), 4u);
        EXPECT_EQ(t.hide[0], plan.changes[0].id);
        EXPECT_EQ(t.hide[1], plan.changes[1].id);
        EXPECT_EQ(t.show[0], plan.changes[2].id);
        EXPECT_EQ(t.show[1], plan.changes[3].id);
    }
}

TEST(PlayBarButtons, TableChoice) {
    EXPECT_EQ(&playingButtons, &buttonTableFor(3));
    EXPECT_EQ(&pausedButtons, &buttonTableFor(4));
    for (int state : {0, 1, 2, 5, 6, 7, -1})
        EXPECT_EQ(&idleButtons, &buttonTableFor(state)) << state;
}

TEST(PlayBarCommands, EachButtonPostsItsCommand) {
    const std::map<int, int> expected = {
        {IDC_OPEN, IDM_OPEN}, {IDC_PLAY, IDM_PLAY}, {IDC_PAUSE, IDM_PAUSE}, {IDC_STOP, IDM_STOP},
        {IDC_PREV, IDM_PREVIOUS}, {IDC_NEXT, IDM_NEXT}, {IDC_MUTE, IDM_MUTE},
        {IDC_FULLSCREEN, IDM_FULLSCREEN}, {IDC_LEAVE_FULLSCREEN, IDM_FULLSCREEN},
    };
    for (const auto& [control, command] : expected)
        EXPECT_EQ(std::optional<int>(command), commandFor(control)) << control;
    for (int other : {1, 2, IDC_TIME_SLIDER, IDC_VOLUME_SLIDER, 0, 9999})
        EXPECT_FALSE(commandFor(other).has_value()) << other;
}

TEST(PlayBarControls, EveryControlHasItsStoredPicture) {
    std::set<int> ids;
    for (const auto& c : barControls) {
        SCOPED_TRACE(playbar_test::narrow(c.imageName));
        EXPECT_TRUE(ids.insert(c.id).second);
        EXPECT_TRUE(playbar_test::pictureSize(playbar_test::narrow(c.imageName)).has_value());
    }
    for (const char* extra : {"IDB_BAR_BKG", "IDB_VOLUME_BALL", "IDB_TIME_FORG", "IDB_TIME_BALL"})
        EXPECT_TRUE(playbar_test::pictureSize(extra).has_value()) << extra;
    // The sliders have no tooltips; every button has one.
    for (const auto& c : barControls) {
        const bool slider = c.id == IDC_TIME_SLIDER || c.id == IDC_VOLUME_SLIDER;
        EXPECT_EQ(slider, std::wstring(c.tooltip).empty()) << c.id;
    }
}

TEST(PlayBarControls, StoredPictureSizes) {
    const std::map<std::string, std::pair<int, int>> expected = {
        {"IDB_BAR_BKG", {10, 36}}, {"IDB_OPEN", {36, 32}}, {"IDB_PLAY", {36, 32}},
        {"IDB_PAUSE", {36, 32}}, {"IDB_STOP", {36, 32}}, {"IDB_PREV", {36, 32}},
        {"IDB_NEXT", {36, 32}}, {"IDB_MUTE", {28, 24}}, {"IDB_FULLSCREEN1", {32, 26}},
        {"IDB_FULLSCREEN2", {32, 26}}, {"IDB_TIME_BKG", {4, 12}}, {"IDB_TIME_FORG", {4, 12}},
        {"IDB_TIME_BALL", {12, 12}}, {"IDB_VOLUME_BAR", {68, 12}}, {"IDB_VOLUME_BALL", {16, 12}},
    };
    for (const auto& [name, size] : expected) {
        SCOPED_TRACE(name);
        const auto s = playbar_test::pictureSize(name);
        ASSERT_TRUE(s.has_value());
        EXPECT_EQ(size.first, s->width);
        EXPECT_EQ(size.second, s->height);
    }
}

} // namespace
