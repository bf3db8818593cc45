// Arithmetic behind the window toolkit's placement routines: centring, client sizing and the
// placement of a label given from the edges of its parent.
#pragma once

#include "Geometry.h"

namespace ui {

// Top-left corner that centres a window of this size in the reference area (the parent's
// rectangle or the screen's work area). A window that does not fit is pushed back inside the
// area, and one larger than the area starts at the area's left or top edge.
Point centerPosition(Size window, const Rect& area);

// Outer size that gives a window the wanted client size, keeping its present frame: the frame
// is the difference between the present outer size and the present client size.
Size windowSizeForClient(Size outer, Size client, Size wanted);

// Position of a label of this size: a negative x counts from the parent's right edge and a
// negative y from its bottom edge; 0 or more is used as it is.
Point labelPosition(int x, int y, Size label, Size parentClient);

} // namespace ui
