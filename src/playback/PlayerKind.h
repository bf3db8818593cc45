#pragma once

// Which engine plays a file. Only Vlc has a back end.
enum class PlayerKind : int {
    None = 0,
    Vlc = 1,
    Flash = 2,
};
