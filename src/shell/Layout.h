// The main window's layout: the video dialog above, the play bar along the bottom edge.
#pragma once

// Gives the first size at the first start, holds the minimum size and places the children.
void layoutWindows();
// Full screen: a caption-less window over the primary screen, and back to the last windowed
// placement.
void enterFullScreen();
void leaveFullScreen();
