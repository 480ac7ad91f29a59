#include "core/macro/player.h"

#include <algorithm>
#include <array>
#include "core/base/message_texts.h"

#include "core/base/product_texts.h"
#include "core/macro/line_syntax.h"

namespace keyreel {

namespace {

// Makes `slot` point at a run's own restart flag for the run's length, so a
// nested run never sees or clears the flag of the run it interrupted.
class RestartScope {
  public:
    RestartScope(bool*& slot, bool& flag) : slot_(slot), outer_(slot) { slot_ = &flag; }
    ~RestartScope() { slot_ = outer_; }
    RestartScope(const RestartScope&) = delete;
    RestartScope& operator=(const RestartScope&) = delete;

  private:
    bool*& slot_;
    bool* outer_;
};

// A copy of the line being played, which stays valid when a nested run
// replaces the list. Lines of ordinary length are copied into the frame
// itself, so playing them allocates nothing; each frame has its own copy,
// which a nested run cannot touch.
class LineCopy {
  public:
    explicit LineCopy(std::string_view line) {
        if (line.size() <= inline_.size()) {
            std::copy(line.begin(), line.end(), inline_.begin());
            text_ = std::string_view(inline_.data(), line.size());
        } else {
            long_.assign(line);
            text_ = long_;
        }
    }
    LineCopy(const LineCopy&) = delete;
    LineCopy& operator=(const LineCopy&) = delete;

    std::string_view text() const { return text_; }

  private:
    std::array<char, 120> inline_;
    std::string long_;
    std::string_view text_;
};

}  // namespace

void Player::runMacro() {
    bool restart = false;
    const RestartScope scope(restart_, restart);
    std::int32_t last = state_.macroLineCount;
    for (std::int64_t i = 0; i <= last; ++i) {
        if (!lineMayStart())
            return;
        playLine(static_cast<std::int32_t>(i));
        if (restart) {
            // Loop: start over without growing the stack, and let pending
            // messages in so that even a loop of mouse moves can be stopped.
            restart = false;
            desktop_.processPendingMessages();
            last = state_.macroLineCount;
            i = -1;
        }
    }
}

void Player::runLines(std::int64_t count, std::int32_t first, std::int32_t last) {
    for (std::int64_t k = 1; k <= count; ++k) {
        if (!lineMayStart())
            return;
        playLine(first);
        if (restarting())
            return;
        if (first >= last)
            return;
        ++first;
    }
}

bool Player::lineMayStart() {
    // Lines that reach no processing point of their own (clicks, moves,
    // words that are no commands) would otherwise hold every window still
    // and keep Stop from being seen for as long as they run. A line that
    // does nothing costs a few nanoseconds, so the desktop is asked only
    // every few lines.
    if (++linesSinceDueCheck_ >= kLinesPerDueCheck) {
        linesSinceDueCheck_ = 0;
        desktop_.processMessagesWhenDue();
    }
    return !state_.stopRequested;
}

void Player::playLine(std::int32_t lineIndex) {
    // A copy: a nested run started from a processing point may replace the list.
    const LineCopy line(lineView(lineIndex));
    std::string_view rest = line.text();
    while (!rest.empty()) {
        state_.commandWord = nextToken(rest, ' ');
        doCommand(lineIndex);
        if (restarting())
            return;
    }
}

void Player::doCommand(std::int32_t lineIndex) {
    if (const CommandInfo* command = findCommand(state_.commandWord))
        dispatch(*command, lineIndex);
}

std::string_view Player::lineView(std::int64_t index) const {
    if (index < 0 || index >= static_cast<std::int64_t>(list_.size()))
        return {};
    return list_[static_cast<std::size_t>(index)];
}

std::string_view Player::valueView(std::int32_t lineIndex) const {
    return lineValue(lineView(lineIndex));
}

std::string Player::valueOf(std::int32_t lineIndex) const {
    return std::string(valueView(lineIndex));
}

void Player::dispatch(const CommandInfo& command, std::int32_t lineIndex) {
    using K = CommandKind;
    switch (command.kind) {
        case K::RunProgram:
            runProgram(lineIndex);
            break;
        case K::ExecuteFile:
            executeFile(lineIndex);
            break;
        case K::Message:
            showMessage(kMessageCommandText, kAppTitle);
            break;
        case K::WaitForWindow:
            waitForWindow(lineIndex);
            break;
        case K::Wait:
            wait(lineIndex);
            break;
        case K::SetFocus:
            setFocus(lineIndex);
            break;
        case K::SendText:
            sendText(lineIndex);
            break;
        case K::TapKey:
            tapKey(command.code);
            break;
        case K::HoldKey:
            holdOrRelease(command.code, false);
            break;
        case K::ReleaseKey:
            holdOrRelease(command.code, true);
            break;
        case K::TapAlt:
            desktop_.tapAlt();
            break;
        case K::MouseMove:
            mouseMove(lineIndex);
            break;
        case K::Click:
            click(static_cast<MouseButton>(command.code));
            break;
        case K::DoubleClick:
            doubleClick(static_cast<MouseButton>(command.code));
            break;
        case K::ButtonDown:
            desktop_.mouseButton(command.code == LeftButton ? LeftDown : RightDown);
            break;
        case K::ButtonUp:
            desktop_.mouseButton(command.code == LeftButton ? LeftUp : RightUp);
            break;
        case K::Repeat:
            repeat(lineIndex);
            break;
        case K::EndRepeat:
            endRepeat(lineIndex);
            break;
        case K::Loop:
            loop();
            break;
        case K::CloseWindow:
            closeWindow(lineIndex);
            break;
        case K::MessageBox:
            showMessage(valueOf(lineIndex), kAppTitle);
            break;
    }
}

void Player::repeat(std::int32_t lineIndex) {
    if (state_.stopRequested)
        return;
    state_.repeatStart = lineIndex;
    // A count that is no number plays the block once.
    state_.repeatCount = parseCount(valueView(lineIndex)).value_or(1);
}

void Player::endRepeat(std::int32_t lineIndex) {
    // The block has played once already; play it repeatCount - 1 more times.
    // Start and count are read afresh for every pass: a Repeat inside the
    // block replaces them.
    for (std::int64_t passes = 0;
         passes < static_cast<std::int64_t>(state_.repeatCount) - 1 && !state_.stopRequested;
         ++passes) {
        const std::int64_t count = static_cast<std::int64_t>(lineIndex) - state_.repeatStart - 1;
        if (count <= 0)
            return;
        runLines(count, state_.repeatStart + 1, lineIndex - 1);
        if (restarting())
            return;
    }
}

void Player::loop() {
    if (state_.stopRequested || restart_ == nullptr)
        return;
    *restart_ = true;
}

}  // namespace keyreel
