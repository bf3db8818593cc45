// The advertisement shown when the main window is asked to close: libads_show of our own
// libads.so, loaded by its full path from the program's folder and never searched for.
#pragma once

#include <QString>

namespace qtfront {

// What callAdvertisement returns without a library or without its entry: go on closing.
constexpr int kAdvertisementMissing = -1;

// Calls libads_show of folder/libads.so with the owner (the main window's X11 window id),
// the display name and the advertisement page, and returns its answer.
int callAdvertisement(const QString& folder, unsigned long ownerWindow);

} // namespace qtfront
