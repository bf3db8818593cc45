// The bar's controls, the button tables and the commands the buttons send: plain data and
// choices, shared by the Win32 bar and the Linux front end.
#pragma once

#include "res/resource.h"

#include <optional>
#include <vector>

namespace playbar {

struct BarControl {
    int id;
    const wchar_t* imageName;   // the PNG resource drawn for the control
    const wchar_t* tooltip;     // empty: no tooltip
};

// In the order images are loaded and tooltips registered.
inline constexpr BarControl barControls[] = {
    {IDC_OPEN, L"IDB_OPEN", L"Open"},
    {IDC_PLAY, L"IDB_PLAY", L"Play"},
    {IDC_PAUSE, L"IDB_PAUSE", L"Pause"},
    {IDC_STOP, L"IDB_STOP", L"Stop"},
    {IDC_PREV, L"IDB_PREV", L"Prev"},
    {IDC_NEXT, L"IDB_NEXT", L"Next"},
    {IDC_MUTE, L"IDB_MUTE", L"Mute On/Off"},
    {IDC_TIME_SLIDER, L"IDB_TIME_BKG", L""},
    {IDC_VOLUME_SLIDER, L"IDB_VOLUME_BAR", L""},
    {IDC_FULLSCREEN, L"IDB_FULLSCREEN1", L"Full Screen"},
    {IDC_LEAVE_FULLSCREEN, L"IDB_FULLSCREEN2", L"Leave Full Screen"},
};

// The slider frames in the order their columns are copied to the window.
inline constexpr int sliderControls[] = {IDC_VOLUME_SLIDER, IDC_TIME_SLIDER};

// Two buttons to show and enable, two to hide and disable.
struct ButtonTable {
    int show[2];
    int hide[2];
};

inline constexpr ButtonTable idleButtons = {{IDC_OPEN, IDC_PLAY}, {IDC_STOP, IDC_PAUSE}};
inline constexpr ButtonTable playingButtons = {{IDC_STOP, IDC_PAUSE}, {IDC_OPEN, IDC_PLAY}};
inline constexpr ButtonTable pausedButtons = {{IDC_STOP, IDC_PLAY}, {IDC_OPEN, IDC_PAUSE}};

// The table for a media player state (libvlc numbering; 0 when there is no player).
const ButtonTable& buttonTableFor(int state);

// One EnableWindow + ShowWindow on a button.
struct ButtonChange {
    int id;
    bool enable;
    bool show;
};

// Everything updateButtons does, in the order it is applied.
struct ButtonPlan {
    std::vector<ButtonChange> changes;
    bool clearShownTime = false;   // the idle states start the time display over
};

ButtonPlan planButtons(int state, bool canStep, bool hasFiles, bool fullScreen);

// The command a button posts to the main window; none for anything that is not a button
// of the bar. Both full-screen buttons send the full-screen toggle.
std::optional<int> commandFor(int controlId);

} // namespace playbar
