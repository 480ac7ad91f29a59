#pragma once

#include <cstdint>
#include <string>

namespace keyreel {

// One run state for the whole program, shared by everyone who starts, stops
// or feeds a run. Line indexes are 32-bit so that macros of any length play.
struct RunState {
    // Inclusive bound of the play loop: the list's count or one less.
    std::int32_t macroLineCount = 0;
    // The running macro is to stop.
    bool stopRequested = false;
    std::int32_t repeatStart = 0;
    std::int32_t repeatCount = 0;
    std::string commandWord;
    std::string closeTitle;
    std::string focusTitle;
    bool windowFound = false;
};

}  // namespace keyreel
