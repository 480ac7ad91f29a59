#pragma once

// Modal message boxes owned by a window of the program: the desktop's boxes
// belong to the main window, the scheduler's to the window that asks.

#include <windows.h>

#include "core/base/message_boxes.h"

namespace keyreel::win32 {

// Shows the box over `owner` (null for none) and waits for the answer,
// handling messages meanwhile. A box that could not be shown answers its
// default, never the answer that would throw something away.
MessageAnswer showMessageBox(HWND owner, const MessageRequest& request);

// The boxes of one window of the program, for the core code that works for
// it.
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
