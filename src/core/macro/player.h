#pragma once

// The interpreter: plays the macro list line by line and word by word and
// carries out each command against the desktop.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/macro/command_table.h"
#include "core/macro/desktop.h"
#include "core/macro/macro_list.h"
#include "core/macro/run_state.h"

namespace keyreel {

class Player {
  public:
    Player(MacroList& list, RunState& state, Desktop& desktop)
        : list_(list), state_(state), desktop_(desktop) {}

    // Plays lines 0 to macroLineCount inclusive, or until stopped. May be
    // entered again from a processing point; the inner run plays from the
    // top and the outer one goes on where it was when it returns.
    void runMacro();
    // Plays at most `count` lines from `first`, never past `last`.
    void runLines(std::int64_t count, std::int32_t first, std::int32_t last);
    // Runs the command named by the run state's commandWord for line `lineIndex`.
    void doCommand(std::int32_t lineIndex);

  private:
    // The line and its value as the list holds them now; valid only until
    // the next processing point, where a nested run may replace the list.
    std::string_view lineView(std::int64_t index) const;
    std::string_view valueView(std::int32_t lineIndex) const;
    // A copy of the value, for commands that reach a processing point.
    std::string valueOf(std::int32_t lineIndex) const;
    // Lets messages through when due; true unless a stop was requested.
    bool lineMayStart();
    static constexpr std::uint32_t kLinesPerDueCheck = 32;
    void playLine(std::int32_t lineIndex);
    bool restarting() const { return restart_ != nullptr && *restart_; }
    void dispatch(const CommandInfo& command, std::int32_t lineIndex);

    // Flow.
    void repeat(std::int32_t lineIndex);
    void endRepeat(std::int32_t lineIndex);
    void loop();

    // Keyboard.
    void sendText(std::int32_t lineIndex);
    void tapKey(std::uint8_t virtualKey);
    void holdOrRelease(std::uint8_t virtualKey, bool keyUp);

    // Mouse.
    void mouseMove(std::int32_t lineIndex);
    void click(MouseButton button);
    void doubleClick(MouseButton button);

    // Programs, documents, messages, waits and windows.
    void runProgram(std::int32_t lineIndex);
    void executeFile(std::int32_t lineIndex);
    void showMessage(const std::string& text, const char* title);
    void wait(std::int32_t lineIndex);
    void waitForWindow(std::int32_t lineIndex);
    void setFocus(std::int32_t lineIndex);
    void closeWindow(std::int32_t lineIndex);
    bool findWindowByTitle(std::string& searchText);
    void searchFocusTitle();

    MacroList& list_;
    RunState& state_;
    Desktop& desktop_;
    // The restart flag of the innermost run; Loop sets it.
    bool* restart_ = nullptr;
    std::uint32_t linesSinceDueCheck_ = 0;
};

}  // namespace keyreel
