#pragma once

// The pointer tracker: a small pale-yellow window without frame, on top of
// every other, that follows the pointer 200 twips right of and below it and
// shows its screen position, for writing MouseMove lines.

#include "ui/pointer_watch.h"
#include "ui/window.h"

namespace keyreel::ui {

class TrackerWindow final : public Window {
  public:
    // Creates the tracker at the pointer and shows it without taking the
    // focus; an open tracker stays as it is.
    bool open();
    bool unload() override;
    // A play moved the pointer: the tracker follows at once.
    void pointerMovedByPlay() { pointer_.hurry(); }

  private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Moves to the pointer and shows its position, when it moved.
    void follow();

    win32::OwnedBrush background_;
    // A pointer at rest costs nothing: nothing is moved or drawn.
    PointerWatch pointer_;
};

}  // namespace keyreel::ui
