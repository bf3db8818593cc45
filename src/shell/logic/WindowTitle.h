// The main window's title, rewritten on every timer tick.
#pragma once

#include <cstddef>
#include <string>

// The title never holds more than this many characters; a longer one is cut at the end.
constexpr std::size_t kMaxTitleLength = 259;

// "name - file" while a file is playing (3) or paused (4), the name alone otherwise.
std::wstring windowTitle(const std::wstring& displayName, int playerState, const std::wstring& fileName);

// "Vesperine, Version 1.0": the About box's first line.
std::wstring aboutText(const std::wstring& displayName, const std::wstring& version);
