// Keyboard and mouse commands of the player.

#include "core/base/text.h"
#include "core/macro/line_syntax.h"
#include "core/macro/player.h"

namespace keyreel {

namespace {

// Characters the send-keys facility reads as syntax; they type nothing.
bool isSendKeysSyntax(char32_t c) {
    return c == '~' || c == '^' || c == '%' || c == '(' || c == ')' || c == '{';
}

}  // namespace

void Player::sendText(std::int32_t lineIndex) {
    const std::string text = valueOf(lineIndex);
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char32_t c = decodeUtf8(text, pos);
        if (c == '+') {
            desktop_.keyEvent(key::Add, false);
            desktop_.keyEvent(key::Add, true);
        } else if (!isSendKeysSyntax(c) && !desktop_.typeCharacter(c)) {
            return;  // the rest of the text is dropped
        }
        desktop_.typingPause();
        if (state_.stopRequested)
            return;  // a Stop during a long text ends it at once
    }
}

void Player::tapKey(std::uint8_t virtualKey) {
    desktop_.keyEvent(virtualKey, false);
    desktop_.processPendingMessages();
    desktop_.keyEvent(virtualKey, true);
}

void Player::holdOrRelease(std::uint8_t virtualKey, bool keyUp) {
    desktop_.keyEvent(virtualKey, keyUp);
    desktop_.processPendingMessages();
}

void Player::mouseMove(std::int32_t lineIndex) {
    // A value without a usable x,y leaves the pointer where it is.
    if (const auto point = parseScreenPoint(valueView(lineIndex))) {
        desktop_.moveCursor(point->x, point->y);
    }
}

void Player::click(MouseButton button) {
    desktop_.mouseButton(button == LeftButton ? LeftDown : RightDown);
    desktop_.mouseButton(button == LeftButton ? LeftUp : RightUp);
}

void Player::doubleClick(MouseButton button) {
    click(button);
    desktop_.doubleClickGap();
    click(button);
}

}  // namespace keyreel
