#pragma once

// The state of the main window and the operations that change it: the macro
// list, the run state, the title marker and the file-play guard. The window
// mirrors this model; everything here is tested without a window.

#include <cstdint>
#include <string>

#include "core/base/asked_files.h"
#include "core/base/product_texts.h"
#include "core/macro/desktop.h"
#include "core/macro/macro_file.h"
#include "core/macro/macro_file_player.h"
#include "core/macro/player.h"
#include "core/macro/run_state.h"

namespace keyreel {

class MainModelObserver {
  public:
    virtual ~MainModelObserver() = default;
    virtual void titleChanged(const std::string& title) = 0;
    // The list was replaced or emptied.
    virtual void listChanged() = 0;
    // One line was inserted at, or removed from, `index`. An observer that
    // keeps no selection or scroll position may treat both as a new list.
    virtual void lineInserted(std::size_t /*index*/) { listChanged(); }
    virtual void lineRemoved(std::size_t /*index*/) { listChanged(); }
};

// Plays nest: a Run click or CTRL+ALT+R handled at a processing point of a
// play starts another play inside it, on the same stack, and a held hot key
// repeats. One level costs the stack about 3.5 KB under Wine (the play and
// the message dispatch that brought the request, measured by the nesting
// test of the Windows build), more on Windows, which calls window procedures
// back through the kernel on the same stack. The main thread has the 2 MB
// that MinGW gives it: 32 levels take some 110 KB, a twentieth of it, which
// leaves room for several times that cost and for the message boxes, dialogs
// and system calls of the innermost play. No one clicks Run 32 times into a
// play that has not ended.
inline constexpr int kMaxNestedPlays = 32;

class MainModel : public MacroFilePlayer {
  public:
    MainModel(Desktop& desktop, MacroFiles& files) : files_(files), player_(list_, run_, desktop) {}

    void setObserver(MainModelObserver* observer) { observer_ = observer; }
    // Where the user is asked before a downloaded file plays; without it,
    // nothing is asked.
    void setAskedFiles(AskedFiles* asked) { asked_ = asked; }

    const MacroList& list() const { return list_; }
    // The list was loaded from a downloaded file: its saves carry the mark.
    bool listFromMarked() const { return listFromMarked_; }
    RunState& runState() { return run_; }
    const std::string& title() const { return title_; }
    // A play is under way, of the list or of a file, however deeply nested.
    bool playing() const { return playDepth_ > 0; }
    int playDepth() const { return playDepth_; }

    // Run button, the play hot key and the start-up play: plays the list as
    // it stands. Pressed during a play, it starts a nested play, unless
    // kMaxNestedPlays plays are under way: then it is dropped and the
    // running plays go on. A list loaded from a downloaded file plays only
    // once the user agreed to that file.
    void runList();
    // Stop button, tray Stop and the stop hot key.
    void stop();
    // The scheduler, and the hot keys F1..F6 through playAskedFile: loads
    // the file and plays it, unless any play is under way (a file play
    // would replace the list under it: Busy) or the file cannot be read or
    // is refused (Unreadable, the list unchanged). `starting` is told once
    // the file is read, as its play begins.
    FilePlayResult playMacroFile(const std::string& path) { return playMacroFile(path, {}); }
    FilePlayResult playMacroFile(const std::string& path,
                                 const FilePlayStarting& starting) override;
    // Hot keys F1..F6: as playMacroFile, once the user agreed to a
    // downloaded file (Downloaded when not).
    FilePlayResult playAskedFile(const std::string& path);
    // Loads a file into the list; the list stays as it was when the file is
    // not read.
    MacroFileRead loadList(const std::string& path);
    // macroLineCount becomes the list's count, as after every save of the
    // editor and the recorder.
    void resetMacroLineCount();

    // The builder's edits. They leave macroLineCount to the builder; an
    // index outside the list changes nothing and answers false.
    void appendLine(std::string line);
    // Inserts before the line at `index`; `index` may be the list's size.
    bool insertLine(std::size_t index, std::string line);
    bool removeLine(std::size_t index);
    void clearList();

  private:
    void setTitle(const char* title);
    void playBracketed();
    void listReplaced(const std::string& source);

    MacroFiles& files_;
    MacroList list_;
    bool listFromMarked_ = false;
    RunState run_;
    Player player_;
    MainModelObserver* observer_ = nullptr;
    AskedFiles* asked_ = nullptr;
    // The file the list was loaded from, empty for a list built from
    // nothing; the builder's edits keep it, as they keep the file's lines.
    std::string listSource_;
    std::string title_ = kIdleTitle;
    // Plays under way, the outermost included.
    int playDepth_ = 0;
};

}  // namespace keyreel
