// GDI+ for the bar's sources. The program is built with NOMINMAX, and GDI+'s headers expect
// min and max, so they get the standard ones.
#pragma once

#include <windows.h>

#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
} // namespace Gdiplus
#include <gdiplus.h>

namespace playbar_gdi {

// The picture's own pixel size (not scaled by the resolution stored in the file).
inline int widthOf(Gdiplus::Image* image) { return image ? static_cast<int>(image->GetWidth()) : 0; }
inline int heightOf(Gdiplus::Image* image) { return image ? static_cast<int>(image->GetHeight()) : 0; }

// Draws a picture into exactly the rectangle given: pixel for pixel at its own size, squeezed
// or stretched otherwise, blended over what is there by its alpha.
inline void drawImage(Gdiplus::Graphics& g, Gdiplus::Image* image, int x, int y, int w, int h)
{
    if (!image || w <= 0 || h <= 0)
        return;
    // Sampling mirrors at the picture's edges instead of fading into transparency there.
    Gdiplus::ImageAttributes edges;
    edges.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    g.DrawImage(image, Gdiplus::Rect(x, y, w, h), 0, 0, widthOf(image), heightOf(image),
        Gdiplus::UnitPixel, &edges);
}

// A graphics object set up so that whole-pixel draws copy pixels exactly: no blur at the
// edges of tiles and knobs.
inline void prepare(Gdiplus::Graphics& g)
{
    g.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
    g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
}

} // namespace playbar_gdi
