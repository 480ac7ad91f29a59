#include "core/macro/simulated_desktop.h"

#include <cstdio>

#include "core/base/text.h"

namespace keyreel {

namespace {

std::string hexByte(unsigned value) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", value & 0xFFu);
    return buf;
}

const char* answerName(MessageAnswer answer) {
    switch (answer) {
        case MessageAnswer::Yes:
            return "yes";
        case MessageAnswer::No:
            return "no";
        case MessageAnswer::Cancel:
            return "cancel";
        case MessageAnswer::Ok:
            break;
    }
    return "ok";
}

}  // namespace

void SimulatedDesktop::reachLimit(Limit limit) {
    if (limitReached_)
        return;
    limitReached_ = true;
    if (onLimit)
        onLimit(limit);
}

void SimulatedDesktop::append(std::string event) {
    if (lineLimit > 0 && static_cast<std::int64_t>(events_.size()) >= lineLimit)
        reachLimit(Limit::Lines);
    if (limitReached_)
        return;
    events_.push_back(std::move(event));
    quietSteps_ = 0;
}

// One line for the time waited since the wait began or since a line that
// interrupted it, rounded up to whole seconds as a wait is given.
void SimulatedDesktop::closeWait() {
    if (waitedMillis_ == 0)
        return;
    const std::int64_t seconds = (waitedMillis_ + 999) / 1000;
    waitedMillis_ = 0;
    append("wait " + std::to_string(seconds));
}

void SimulatedDesktop::record(std::string event) {
    closeWait();
    append(std::move(event));
}

void SimulatedDesktop::processingPoint(const char* name, std::int64_t advanceMillis) {
    nowMillis += advanceMillis;
    if (recordProcessingPoints) {
        record(name);
    } else if (quietStepLimit > 0 && ++quietSteps_ >= quietStepLimit) {
        reachLimit(Limit::QuietSteps);
    }
    if (atProcessingPoint)
        atProcessingPoint();
}

bool SimulatedDesktop::keyEvent(std::uint8_t virtualKey, bool keyUp) {
    record(std::string(keyUp ? "key up " : "key down ") + hexByte(virtualKey));
    return true;
}

bool SimulatedDesktop::typeCharacter(char32_t character) {
    if (canType && !canType(character)) {
        record("type-failed");
        return false;
    }
    std::string text;
    appendUtf8(text, character);
    record("type " + quoted(text));
    return true;
}

bool SimulatedDesktop::tapAlt() {
    record("alt-tap");
    return true;
}

bool SimulatedDesktop::moveCursor(int x, int y) {
    record("cursor " + std::to_string(x) + "," + std::to_string(y));
    return true;
}

bool SimulatedDesktop::mouseButton(std::uint32_t flags) {
    record("mouse " + hexByte(flags));
    return true;
}

std::size_t SimulatedDesktop::findExact(const std::string& title) const {
    const std::string wanted = toLowerForSearch(title);
    for (std::size_t i = 0; i < windows.size(); ++i) {
        if (toLowerForSearch(windows[i]) == wanted)
            return i;
    }
    return windows.size();
}

bool SimulatedDesktop::closeWindow(const std::string& exactTitle) {
    const std::size_t index = findExact(exactTitle);
    if (index == windows.size())
        return false;
    record("close " + quoted(windows[index]));
    windows.erase(windows.begin() + static_cast<std::ptrdiff_t>(index));
    return true;
}

bool SimulatedDesktop::activateWindow(const std::string& exactTitle) {
    const std::size_t index = findExact(exactTitle);
    const bool found = index < windows.size();
    record("activate " + quoted(exactTitle) + (found ? " -> ok" : " -> failed"));
    if (found && index > 0) {
        std::string title = windows[index];
        windows.erase(windows.begin() + static_cast<std::ptrdiff_t>(index));
        windows.insert(windows.begin(), std::move(title));
    }
    return found;
}

StartResult SimulatedDesktop::startProgram(const std::string& commandLine) {
    record("run " + quoted(commandLine));
    return startResult;
}

bool SimulatedDesktop::shellOpen(const std::string& path) {
    record("open " + quoted(path));
    return shellOpenWorks;
}

MessageAnswer SimulatedDesktop::showMessage(const MessageRequest& request) {
    MessageAnswer answer = MessageAnswer::Ok;
    if (request.buttons != MessageButtons::Ok) {
        answer = questionAnswer;
        if (!answers.empty()) {
            answer = answers.front();
            answers.pop_front();
        }
    }
    record("message " + quoted(request.text) + " " + quoted(request.title) + " -> " +
           answerName(answer));
    if (atProcessingPoint)
        atProcessingPoint();
    return answer;
}

void SimulatedDesktop::processPendingMessages() {
    processingPoint("pump", 0);
}

void SimulatedDesktop::processMessagesWhenDue() {
    processingPoint("due", 0);
}

void SimulatedDesktop::waitForMessages(std::int64_t deadlineMillis) {
    if (atProcessingPoint)
        atProcessingPoint();
    if (deadlineMillis > nowMillis) {
        waitedMillis_ += deadlineMillis - nowMillis;
        nowMillis = deadlineMillis;
    }
}

void SimulatedDesktop::pauseBeforeNextPoll() {
    processingPoint("poll", 10);
}

void SimulatedDesktop::typingPause() {
    nowMillis += 1;
    record("tick 1");
    if (atProcessingPoint)
        atProcessingPoint();
}

void SimulatedDesktop::doubleClickGap() {
    nowMillis += 10;
    record("tick 10");
    if (atProcessingPoint)
        atProcessingPoint();
}

}  // namespace keyreel
