// Where the video window puts its three parts: the "Powered by" link at the top right, the
// video surface below it, and the logo in the middle while no video is on screen.
#pragma once

#include "Geometry.h"

namespace ui {

// The link label: its text and the maker's site it opens.
constexpr const wchar_t* kLinkText = L"Powered by Kadrowin";
constexpr const wchar_t* kMakerSite = L"https://www.kadrowin.com/";

// Distance of the link from the top and right edges of the video dialog.
constexpr int kLinkMargin = 5;
// The surface starts this far below the link's top edge plus its height, and reaches this far
// less than that below the dialog's bottom edge (the overhang is clipped away).
constexpr int kSurfaceGap = 10;

// Top-left corner of a link of this size in a video dialog this wide.
Point linkPosition(int clientWidth, Size link);

// The video surface below a link of the given height (0 when there is no link). The height
// never goes below 0.
Rect surfaceRect(Size client, int linkHeight);

// The logo, centred (halves rounded down). In an area smaller than the logo it is scaled down
// to fit, keeping its proportions, rather than cut off; an empty area or logo gives an empty
// rectangle (nothing to draw).
Rect logoRect(Size client, Size logo);

} // namespace ui
