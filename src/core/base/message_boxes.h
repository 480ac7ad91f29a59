#pragma once

// Modal message boxes: how the core asks the user and tells the user. The
// desktop the player drives shows them; so can anything else that needs to.

#include <string>

namespace keyreel {

enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageIcon { None, Question, Exclamation };
// A box that is closed without a button (Escape, the close box) answers
// Cancel where it has a Cancel button.
enum class MessageAnswer { Ok, Yes, No, Cancel };

struct MessageRequest {
    std::string text;
    std::string title;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    bool defaultNo = false;
};

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // A modal message box; pending messages are processed while it shows.
    virtual MessageAnswer showMessage(const MessageRequest& request) = 0;
};

}  // namespace keyreel
