#pragma once

// Message boxes as the program shows them: owned by one of its windows, in
// front, with the application's buttons and icons.

#include <windows.h>

#include <functional>
#include <utility>

#include "core/base/message_boxes.h"

namespace keyreel::win32 {

// A modal message box owned by `owner` (null: none). It comes to the front;
// while its owner is not on screen it also stays above other programs.
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
