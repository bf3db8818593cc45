#include "BarControls.h"

namespace playbar {

namespace {
constexpr int kPlaying = 3;
constexpr int kPaused = 4;
} // namespace

const ButtonTable& buttonTableFor(int state)
{
    if (state == kPlaying)
        return playingButtons;
    if (state == kPaused)
        return pausedButtons;
    return idleButtons;
}

ButtonPlan planButtons(int state, bool canStep, bool hasFiles, bool fullScreen)
{
    const ButtonTable& t = buttonTableFor(state);
    ButtonPlan plan;
    plan.changes = {
        {t.hide[0], false, false},
        {t.hide[1], false, false},
        {t.show[0], true, true},
        {t.show[1], true, true},
        // Prev and Next stay visible; only their enabled state follows the playlist.
        {IDC_PREV, canStep, true},
        {IDC_NEXT, canStep, true},
    };
    if (state != kPlaying) {
        plan.changes.push_back({IDC_PLAY, hasFiles, true});
        plan.clearShownTime = state != kPaused;
    }
    plan.changes.push_back({IDC_FULLSCREEN, !fullScreen, !fullScreen});
    plan.changes.push_back({IDC_LEAVE_FULLSCREEN, fullScreen, fullScreen});
    return plan;
}

std::optional<int> commandFor(int controlId)
{
    switch (controlId) {
    case IDC_OPEN: return IDM_OPEN;
    case IDC_PLAY: return IDM_PLAY;
    case IDC_PAUSE: return IDM_PAUSE;
    case IDC_STOP: return IDM_STOP;
    case IDC_PREV: return IDM_PREVIOUS;
    case IDC_NEXT: return IDM_NEXT;
    case IDC_MUTE: return IDM_MUTE;
    case IDC_FULLSCREEN: return IDM_FULLSCREEN;
    case IDC_LEAVE_FULLSCREEN: return IDM_FULLSCREEN;
    default: return std::nullopt;
    }
}

} // namespace playbar
