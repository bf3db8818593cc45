// The one setting kept between runs: the main window's windowed placement (its normal
// geometry and whether it was maximised), in QSettings under the maker's and the product's
// names. Read once at start, written once at the end.
#pragma once

#include <QRect>

namespace qtfront {

struct WindowPlacement {
    QRect normal;           // the window's own area (without the frame), screen coordinates
    bool maximized = false;
};

class WindowSettings {
public:
    // Fills placement and sets placementValid only from a complete, sensible stored value;
    // anything else counts as absent.
    void load();
    // Writes the placement when one is valid; otherwise leaves whatever is stored.
    void save() const;

    WindowPlacement placement;
    bool placementValid = false;
};

} // namespace qtfront
