#pragma once

// The about box: the product's name, its version from the version resource,
// and the disclaimer. Modeless; closed with its close box or Escape.

#include "ui/window.h"

namespace keyreel::ui {

class AboutWindow final : public Window {
  public:
    // Creates and shows the window with its texts set anew, or brings the
    // one that is open to the front.
    bool open();

  private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The program's icon in the size of the window's DPI.
    win32::OwnedIcon icon_;
};

}  // namespace keyreel::ui
