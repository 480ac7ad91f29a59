#pragma once

// What the player needs from the desktop it drives. The Windows build
// implements it with real input and windows; tests and the trace tool use a
// simulated desktop. No platform type appears here.

#include <cstdint>
#include <string>
#include <vector>

#include "core/base/key_codes.h"
#include "core/base/message_boxes.h"

namespace keyreel {

enum class StartResult {
    Started,
    InvalidCommandLine,  // rejected as an invalid argument; nothing is shown
    Failed,              // not found or not startable
};

class Desktop : public MessageBoxes {
  public:
    virtual ~Desktop() = default;

    // The input requests answer false when the system did not take the
    // event; the player goes on all the same, except that a character that
    // cannot be typed drops the rest of its text.

    // Keyboard: one key event with the virtual-key code (scan code 0).
    virtual bool keyEvent(std::uint8_t virtualKey, bool keyUp) = 0;
    // Types one character into the focused window through the keyboard
    // layout, or as a Unicode character where the layout has no key for it.
    // False when even that fails.
    virtual bool typeCharacter(char32_t character) = 0;
    // Alt down and up; returns once the system has processed both.
    virtual bool tapAlt() = 0;

    // Pointer.
    virtual bool moveCursor(int x, int y) = 0;
    // One button event: a MouseEventFlag, without movement.
    virtual bool mouseButton(std::uint32_t flags) = 0;

    // Top-level windows, top of the stacking order first.
    virtual std::vector<std::string> windowTitles() = 0;
    // Posts a close request to the window with exactly this title (case
    // ignored); false when there is none.
    virtual bool closeWindow(const std::string& exactTitle) = 0;
    // Brings the window with exactly this title (case ignored) to the
    // foreground with the keyboard focus; false when there is none.
    virtual bool activateWindow(const std::string& exactTitle) = 0;

    // Programs and documents.
    virtual StartResult startProgram(const std::string& commandLine) = 0;
    // Asks the shell to open the file with the program registered for its
    // type; false when it could not (no such file, no program for the type,
    // or the request itself could not be made).
    virtual bool shellOpen(const std::string& path) = 0;

    // The message boxes of MessageBoxes show with the desktop.

    // Processing points: pending window messages are handled here, so Stop,
    // hot keys and nested runs act only inside these calls.
    virtual void processPendingMessages() = 0;
    // The processing point of stretches that have none of their own: the
    // player calls it every few lines, and so also in every long block.
    // Handles pending messages only when a few milliseconds have passed since
    // it last did, and otherwise returns at once, so a fast run stays fast
    // and still answers while it runs.
    virtual void processMessagesWhenDue() = 0;
    // Handles messages as they come until one was handled or the local wall
    // clock reaches `deadlineMillis`, whichever is first; never spins.
    virtual void waitForMessages(std::int64_t deadlineMillis) = 0;
    // Follows the last waitForMessages of one whole-second wait (a `Wait`
    // line, the start count-down), so a desktop that reports waits can tell
    // where one ends and the next begins. Nothing to do for a real desktop.
    virtual void waitEnded() {}
    // A window wait runs from windowWaitBegins to windowWaitEnds; waits nest
    // when a nested run waits for a window too. A desktop that hears from the
    // system of windows that appear or are renamed listens meanwhile.
    virtual void windowWaitBegins() {}
    virtual void windowWaitEnds() {}
    // Between two window searches: returns once a window may have appeared
    // or changed its title, or a message was handled, and at the latest
    // after one timer tick, or, where the desktop hears of new windows, after
    // a slower check that catches the changes the system does not report.
    virtual void pauseBeforeNextPoll() = 0;
    // One tick of a 1 ms timer after each typed character.
    virtual void typingPause() = 0;
    // One tick of a 10 ms timer between the clicks of a double click.
    virtual void doubleClickGap() = 0;

    // Local wall-clock time in milliseconds since 1970-01-01 00:00 local.
    virtual std::int64_t localTimeMillis() = 0;
};

}  // namespace keyreel
