#pragma once

// Holds the end of the session with a reason the system shows the user, for
// as long as this object lives: while a question about unsaved work is open.

#include <windows.h>

namespace keyreel::win32 {

class ShutdownHold {
  public:
    ShutdownHold(HWND window, const wchar_t* reason)
        : window_(ShutdownBlockReasonCreate(window, reason) ? window : nullptr) {}
    ~ShutdownHold() {
        if (window_ != nullptr)
            ShutdownBlockReasonDestroy(window_);
    }
    ShutdownHold(const ShutdownHold&) = delete;
    ShutdownHold& operator=(const ShutdownHold&) = delete;

  private:
    HWND window_;  // not owned; null when the system took no reason
};

}  // namespace keyreel::win32
