#include "core/main_window/pointer_display.h"

#include <cstdint>

namespace keyreel {

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kTrackerOffsetTwips = 200;

// Twips to pixels, rounded to the nearest pixel.
int twipsToPixels(int twips, int dpi) {
    const std::int64_t scaled = static_cast<std::int64_t>(twips) * dpi;
    return static_cast<int>((scaled + kTwipsPerInch / 2) / kTwipsPerInch);
}

}  // namespace

std::string pointerPositionText(int x, int y) {
    return std::to_string(x) + "," + std::to_string(y);
}

TrackerPlacement trackerPlacement(int x, int y, int dpi) {
    const int offset = twipsToPixels(kTrackerOffsetTwips, dpi);
    return {x + offset, y + offset};
}

}  // namespace keyreel
