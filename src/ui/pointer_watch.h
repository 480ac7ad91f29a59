#pragma once

// Follows the pointer for a display of its position (the main window's
// label, the tracker). The system tells no one of pointer moves outside its
// windows (Wine not even by raw input), so the watch reads the position on
// a timer of the display's window, and only tells of moves: on every tick of
// a 1 ms timer (the system's timer resolution) while the pointer moves, as
// the display has always done, and a few times a second once it has rested
// for a while, so that a display of a pointer at rest costs next to nothing.
// A move of the pointer by a play brings the fast ticks back at once.

#include <windows.h>

#include <optional>

#include "win32/owned.h"

namespace keyreel::ui {

class PointerWatch {
  public:
    // Starts the window's timer `timerId` at the fast rate; the next tick
    // tells the position, moved or not.
    void start(HWND window, UINT_PTR timerId);
    void stop();
    bool running() const { return timer_.running(); }

    // On each tick of the timer: the position, when it differs from the
    // last one told; nothing while the pointer rests or its position cannot
    // be read.
    std::optional<POINT> tick();
    // The pointer may have moved: the next ticks come at the fast rate.
    void hurry();

  private:
    void setRate(bool fast);

    win32::OwnedTimer timer_;
    HWND window_ = nullptr;  // not owned: the display's window
    UINT_PTR timerId_ = 0;
    bool fast_ = false;
    ULONGLONG lastMove_ = 0;
    std::optional<POINT> last_;
};

}  // namespace keyreel::ui
