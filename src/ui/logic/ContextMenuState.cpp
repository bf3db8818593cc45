#include "ContextMenuState.h"

#include "res/resource.h"

namespace ui {

namespace {
constexpr int kStatePaused = 4;
} // namespace

ContextMenuItems contextMenuItems(const ContextMenuInputs& in)
{
    const bool playing = in.hasPlayer && in.playing;
    const bool paused = in.state == kStatePaused;
    const bool hasEntries = in.playlistCount > 0;
    const bool canStep = in.playlistCount >= 2 && in.currentIndex >= 0;

    return {{
        {IDM_OPEN, true, true},
        {IDM_PLAY, true, !playing && hasEntries},
        {IDM_PAUSE, true, playing},
        {IDM_STOP, true, playing || paused},
        {IDM_PREVIOUS, true, canStep},
        {IDM_NEXT, true, canStep},
        {IDM_FULLSCREEN, !in.fullScreen, true},
        {IDM_LEAVE_FULLSCREEN, in.fullScreen, true},
        {IDM_EXIT, true, true},
    }};
}

int fullScreenToggleCommand(bool fullScreen) { return fullScreen ? IDM_LEAVE_FULLSCREEN : IDM_FULLSCREEN; }

} // namespace ui
