#pragma once

// Plays a macro file by path: what the scheduler and the macro hot keys ask
// of the main window, which implements it with its file-play guard.

#include <functional>
#include <string>

namespace keyreel {

// What became of a request to play a macro file.
enum class FilePlayResult {
    Played,      // the file was loaded and its play has ended
    Busy,        // another play was under way: nothing was loaded or played
    Unreadable,  // the file could not be read: nothing was played
    Downloaded,  // the file came from the internet and no one agreed: nothing was played
};

// Called once the file has been read, just before its play begins; never
// for a play that does not start.
using FilePlayStarting = std::function<void()>;

class MacroFilePlayer {
  public:
    virtual ~MacroFilePlayer() = default;
    // Loads the file into the macro list and plays it; returns when the play
    // has ended or could not start, and says which. Reporting is the
    // caller's.
    virtual FilePlayResult playMacroFile(const std::string& path,
                                         const FilePlayStarting& starting) = 0;
};

}  // namespace keyreel
