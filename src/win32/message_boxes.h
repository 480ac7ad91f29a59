#pragma once

// Modal message boxes on Windows. The desktop shows the player's boxes over
// the main window; a window that asks about its own work owns its boxes, so
// the user answers before doing anything else in it.

#include <windows.h>

#include "core/base/message_boxes.h"

namespace keyreel::win32 {

// A modal box owned by `owner` (null for none), brought to the front. One
// that could not be shown answers its default, never the answer that would
// throw something away.
MessageAnswer showMessageBox(HWND owner, const MessageRequest& request);

// The boxes of one window of the program.
class WindowMessageBoxes final : public MessageBoxes {
  public:
    void setOwner(HWND owner) { owner_ = owner; }
    MessageAnswer showMessage(const MessageRequest& request) override {
        return showMessageBox(IsWindow(owner_) ? owner_ : nullptr, request);
    }

  private:
    HWND owner_ = nullptr;  // not owned
};

}  // namespace keyreel::win32
