// The main window's layout: the video dialog above, the play bar along the bottom edge.
#pragma once

// Gives the first size at the first start, holds the minimum size and places the children.
void layoutWindows();
// Full screen comes in its own change; until then the window stays windowed.
void enterFullScreen();
void leaveFullScreen();
