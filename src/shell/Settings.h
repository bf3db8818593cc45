// The stored window placement (the user's registry).
#pragma once

// Fills the placement in AppContext when a complete one was stored.
bool loadSettings();
// Stores the placement in AppContext when it is valid.
bool saveSettings();
