#pragma once

// Reads the pointer's screen position for a display that follows it, and
// tells only of moves: a pointer at rest costs the display nothing.

#include <windows.h>

#include <optional>

namespace keyreel::ui {

class PointerWatch {
  public:
    // The position, when it differs from the last one told; nothing while
    // the pointer rests or its position cannot be read.
    std::optional<POINT> moved() {
        POINT position{};
        if (!GetCursorPos(&position))
            return std::nullopt;
        if (last_ && last_->x == position.x && last_->y == position.y)
            return std::nullopt;
        last_ = position;
        return position;
    }
    // The next reading is told, moved or not.
    void forget() { last_.reset(); }

  private:
    std::optional<POINT> last_;
};

}  // namespace keyreel::ui
