#pragma once

// One tooltip control for some controls of a window: each control shows its
// own text, which may change at any time.

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <string>

namespace keyreel::ui {

class Tooltips {
  public:
    // Creates the tooltip control for the controls of `owner`; the control
    // goes with its owner.
    bool create(HWND owner);
    void add(HWND control, const std::string& text);
    // An empty text shows no tooltip.
    void setText(HWND control, const std::string& text);
    std::string text(HWND control) const;

  private:
    TOOLINFOW toolFor(HWND control) const;

    HWND tooltip_ = nullptr;  // not owned: destroyed with its owner window
    HWND owner_ = nullptr;
};

}  // namespace keyreel::ui
