// Which items of the video window's context menu are shown and which are enabled, from the
// playback state; and which full-screen command a double-click on the video gives.
#pragma once

#include <array>

namespace ui {

struct ContextMenuInputs {
    bool hasPlayer = false;      // the play logic has a media player
    bool playing = false;        // that player's isPlaying
    int state = 0;               // that player's state (libvlc numbering), 0 without a player
    int playlistCount = 0;
    int currentIndex = -1;       // negative when no entry is current
    bool fullScreen = false;     // the main window is in full screen
};

struct ContextMenuItem {
    int command = 0;
    bool shown = true;
    bool enabled = true;
};

// Every command of the menu, in menu order, with its state. Items not shown are removed from
// the menu; shown items that are not enabled are grayed.
using ContextMenuItems = std::array<ContextMenuItem, 9>;
ContextMenuItems contextMenuItems(const ContextMenuInputs& in);

// The one of the two full-screen commands that applies: leave it when in full screen.
int fullScreenToggleCommand(bool fullScreen);

} // namespace ui
