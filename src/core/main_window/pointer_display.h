#pragma once

// The pointer position as the main window's label and the tracker window
// show it, and where the tracker goes.

#include <string>

namespace keyreel {

// Screen pixels as "x,y": decimal, a minus sign where needed, no blanks.
std::string pointerPositionText(int x, int y);

struct TrackerPlacement {
    int left;
    int top;
};

// The tracker's top-left corner for the pointer at (x, y): 200 twips right
// of and below it at `dpi`. It is not kept on the screen.
TrackerPlacement trackerPlacement(int x, int y, int dpi);

// The tracker label's tooltip: what a double click will do.
inline constexpr const char* kTrackerOffTip = "Double Click to turn off tracking";
inline constexpr const char* kTrackerOnTip = "Double Click to turn on tracking";

}  // namespace keyreel
