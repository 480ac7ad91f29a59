// Program, document, message, wait and window commands of the player.

#include "core/base/message_texts.h"
#include "core/base/product_texts.h"
#include "core/base/text.h"
#include "core/macro/line_syntax.h"
#include "core/macro/player.h"
#include "core/macro/whole_second_wait.h"

namespace keyreel {

void Player::runProgram(std::int32_t lineIndex) {
    if (desktop_.startProgram(valueOf(lineIndex)) == StartResult::Failed)
        showMessage(kFileNotFoundText, kAppTitle);
}

void Player::executeFile(std::int32_t lineIndex) {
    if (!desktop_.shellOpen(valueOf(lineIndex)))
        showMessage(kFileNotFoundText, kAppTitle);
}

void Player::showMessage(const std::string& text, const char* title) {
    desktop_.showMessage(MessageRequest{text, title});
}

void Player::wait(std::int32_t lineIndex) {
    const auto seconds = parseCount(valueView(lineIndex));
    if (seconds && *seconds > 0)
        waitSeconds(desktop_, *seconds, [this] { return !state_.stopRequested; });
}

bool Player::findWindowByTitle(std::string& searchText) {
    const std::string needle = toLowerForSearch(searchText);
    for (const std::string& title : desktop_.windowTitles()) {
        if (toLowerForSearch(title).find(needle) != std::string::npos) {
            searchText = title;
            return true;
        }
    }
    return false;
}

void Player::searchFocusTitle() {
    if (findWindowByTitle(state_.focusTitle)) {
        state_.closeTitle = state_.focusTitle;
        state_.windowFound = true;
    }
}

namespace {

// Tells the desktop for how long a window wait is under way.
class WindowWait {
  public:
    explicit WindowWait(Desktop& desktop) : desktop_(desktop) { desktop_.windowWaitBegins(); }
    ~WindowWait() { desktop_.windowWaitEnds(); }
    WindowWait(const WindowWait&) = delete;
    WindowWait& operator=(const WindowWait&) = delete;

  private:
    Desktop& desktop_;
};

}  // namespace

void Player::waitForWindow(std::int32_t lineIndex) {
    state_.windowFound = false;
    state_.focusTitle = valueOf(lineIndex);
    const WindowWait wait(desktop_);
    for (bool firstSearch = true; !state_.windowFound && !state_.stopRequested;
         firstSearch = false) {
        if (firstSearch) {
            desktop_.processPendingMessages();
        } else {
            desktop_.pauseBeforeNextPoll();
        }
        searchFocusTitle();
    }
    state_.windowFound = false;
}

void Player::setFocus(std::int32_t lineIndex) {
    state_.windowFound = false;
    state_.focusTitle = valueOf(lineIndex);
    // A blank title would match whatever window comes first, hidden ones
    // included, and the next keys would go there: it selects no window.
    if (!isAllBlank(state_.focusTitle)) {
        searchFocusTitle();
        if (desktop_.activateWindow(state_.focusTitle))
            return;
    }
    const MessageAnswer answer = desktop_.showMessage(
        {kFocusLostText, kAppTitle, MessageButtons::YesNo, MessageIcon::Question, true});
    if (answer == MessageAnswer::No)
        state_.stopRequested = true;
}

void Player::closeWindow(std::int32_t lineIndex) {
    state_.closeTitle = valueOf(lineIndex);
    // A blank title would match whatever window is on top.
    if (isAllBlank(state_.closeTitle))
        return;
    findWindowByTitle(state_.closeTitle);
    desktop_.closeWindow(state_.closeTitle);
}

}  // namespace keyreel
