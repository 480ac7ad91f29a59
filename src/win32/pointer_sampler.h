#pragma once

// The pointer as the recorder samples it: the cursor's position, and
// whether one of this program's windows is under it.

#include <windows.h>

#include "core/recorder/recorder.h"

namespace keyreel::win32 {

// Whether the window at the point, menus included, belongs to this process.
// Safe on the hooks' thread: it would send messages only to windows of the
// asking thread, and that thread has none.
bool isOwnWindowAt(POINT point);

class Win32PointerSampler final : public PointerSampler {
  public:
    std::optional<ScreenPoint> cursorPosition() override;
    bool ownWindowAt(ScreenPoint point) override { return isOwnWindowAt({point.x, point.y}); }
};

}  // namespace keyreel::win32
