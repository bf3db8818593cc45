// The settings store is not wired yet: nothing is read or written, so every start is a first
// start (the window gets its first size) and nothing is kept at exit. The registry store
// (Software\Kadrowin\Vesperine, "MAIN_WP") comes in its own change.
#include "Settings.h"

#include "AppContext.h"

bool loadSettings()
{
    appContext().placementValid = FALSE;
    return false;
}

bool saveSettings() { return false; }
