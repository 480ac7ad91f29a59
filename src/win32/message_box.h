#pragma once

// Modal message boxes owned by a window of the program: the desktop's boxes
// belong to the main window, the scheduler's and the editor's and the
// preferences window's to the window that asks.

#include <windows.h>

#include <functional>
#include <utility>

#include "core/base/message_boxes.h"

namespace keyreel::win32 {

// Shows the box over `owner` (null for none) and waits for the answer,
// handling messages meanwhile. A box that could not be shown answers its
// default, never the answer that would throw something away.
MessageAnswer showMessageBox(HWND owner, const MessageRequest& request);

// The boxes of one window, owned by it: the window waits for the answer
// and cannot be closed or changed meanwhile.
class WindowMessageBoxes final : public MessageBoxes {
  public:
    explicit WindowMessageBoxes(std::function<HWND()> owner) : owner_(std::move(owner)) {}
    MessageAnswer showMessage(const MessageRequest& request) override {
        return showMessageBox(owner_(), request);
    }

  private:
    std::function<HWND()> owner_;
};

}  // namespace keyreel::win32
