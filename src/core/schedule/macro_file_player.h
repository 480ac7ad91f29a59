#pragma once

// Plays a macro file by path: what the scheduler and the macro hot keys ask
// of the main window, which implements it with its file-play guard.

#include <string>

namespace keyreel {

class MacroFilePlayer {
  public:
    virtual ~MacroFilePlayer() = default;
    // Loads the file into the macro list and plays it; returns when the play
    // has ended. Dropped while another file play is under way; an unreadable
    // file plays nothing. Neither case is reported.
    virtual void playMacroFile(const std::string& path) = 0;
};

}  // namespace keyreel
