#pragma once

// Hears from the system, while a window wait is under way, of top-level
// windows that are created or renamed, so the wait searches again at once
// instead of polling every timer tick. Out-of-context win events: the system
// queues them for this thread, and they are handled inside PeekMessage.
//
// Wine raises only the creation event (no renaming, no showing), and a
// program often sets its title just after creating its window: after each
// event the wait therefore searches on every tick for a short while, and
// between events a slow check catches what no event reported.

#include <windows.h>

#include "win32/owned.h"

namespace keyreel::win32 {

class WindowChanges {
  public:
    WindowChanges() = default;
    ~WindowChanges();
    WindowChanges(const WindowChanges&) = delete;
    WindowChanges& operator=(const WindowChanges&) = delete;

    // Listening runs from the first begin() to the matching last end().
    void begin();
    void end();
    bool listening() const { return waits_ > 0; }

    // True once for every change heard since the last call.
    bool takeChange();
    // A change was heard less than the burst's length ago: a title may
    // follow that no event will report.
    bool inBurst() const;

  private:
    static void CALLBACK onEvent(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                 LONG child, DWORD thread, DWORD time);
    void heard();

    OwnedWinEventHook created_;
    OwnedWinEventHook renamed_;
    int waits_ = 0;
    bool changed_ = false;
    ULONGLONG lastChange_ = 0;
    // The listener that was there before this one began, restored at its end.
    WindowChanges* previous_ = nullptr;
};

}  // namespace keyreel::win32
