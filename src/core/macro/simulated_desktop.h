#pragma once

// A desktop that exists only in memory: it records every request as one line
// of text and keeps simulated time. The trace tool prints its record; tests
// read it and script what happens at processing points.

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/macro/desktop.h"

namespace keyreel {

class SimulatedDesktop : public Desktop {
  public:
    // Top-level window titles, top of the stacking order first.
    std::vector<std::string> windows;
    // The answers to the next questions, in the order they are asked; once
    // they are used up, questions answer `questionAnswer`. OK boxes always
    // answer OK.
    std::deque<MessageAnswer> answers;
    MessageAnswer questionAnswer = MessageAnswer::Yes;
    StartResult startResult = StartResult::Started;
    bool shellOpenWorks = true;
    // Decides whether a character can be typed; every one can by default.
    std::function<bool(char32_t)> canType;
    // Runs at every processing point (a Stop click, a window that appears).
    std::function<void()> atProcessingPoint;
    // Also record processing points, as "pump", "due" and "poll".
    bool recordProcessingPoints = false;

    // Limits for a run that might not end by itself; 0 means no limit.
    enum class Limit {
        Lines,       // a line beyond `lineLimit` lines was to be recorded
        QuietSteps,  // `quietStepLimit` processing points in a row added no line
    };
    std::int64_t lineLimit = 0;
    std::int64_t quietStepLimit = 0;
    // Runs once, when the first limit is reached. From then on requests are
    // still answered but no longer recorded, so the record ends there.
    std::function<void(Limit)> onLimit;

    std::int64_t nowMillis = 0;

    // The record so far. A wait under way appears once it ends or another
    // line interrupts it.
    const std::vector<std::string>& events() const { return events_; }

    bool keyEvent(std::uint8_t virtualKey, bool keyUp) override;
    bool typeCharacter(char32_t character) override;
    bool tapAlt() override;
    bool moveCursor(int x, int y) override;
    bool mouseButton(std::uint32_t flags) override;
    std::vector<std::string> windowTitles() override { return windows; }
    bool closeWindow(const std::string& exactTitle) override;
    bool activateWindow(const std::string& exactTitle) override;
    StartResult startProgram(const std::string& commandLine) override;
    bool shellOpen(const std::string& path) override;
    MessageAnswer showMessage(const MessageRequest& request) override;
    void processPendingMessages() override;
    // Its time stands still while lines play, so every call is due.
    void processMessagesWhenDue() override;
    void waitForMessages(std::int64_t deadlineMillis) override;
    void waitEnded() override { closeWait(); }
    void pauseBeforeNextPoll() override;
    void typingPause() override;
    void doubleClickGap() override;
    std::int64_t localTimeMillis() override { return nowMillis; }

  private:
    void record(std::string event);
    void append(std::string event);
    void processingPoint(const char* name, std::int64_t advanceMillis);
    void closeWait();
    void reachLimit(Limit limit);
    std::size_t findExact(const std::string& title) const;

    std::vector<std::string> events_;
    std::int64_t waitedMillis_ = 0;
    std::int64_t quietSteps_ = 0;
    bool limitReached_ = false;
};

}  // namespace keyreel
