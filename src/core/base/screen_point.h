#pragma once

namespace keyreel {

// A point on the screen in pixels: what MouseMove lines hold and what the
// recorder samples.
struct ScreenPoint {
    int x = 0;
    int y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

}  // namespace keyreel
