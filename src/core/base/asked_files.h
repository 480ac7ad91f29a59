#pragma once

// Macro files downloaded from the internet play only once the user agreed,
// and only where the user is there to be asked: the command line, hot keys,
// Run of a list loaded from such a file. The scheduler, which plays
// unattended, plays none of them. A Yes holds for the file's path for the
// rest of this run of the program; a No keeps nothing, so the next play of
// the file asks again rather than doing nothing without a word.

#include <functional>
#include <set>
#include <string>

#include "core/base/message_boxes.h"

namespace keyreel {

// Whether a file carries the mark of a download from the internet.
using WebMarkReader = std::function<bool(const std::string& path)>;

class AskedFiles {
  public:
    AskedFiles(MessageBoxes& boxes, WebMarkReader marked)
        : boxes_(boxes), marked_(std::move(marked)) {}

    bool marked(const std::string& path) const { return marked_(path); }
    // True when the file may play: it carries no mark, or the user agreed to
    // it in this run, asked now where that is still to come. While one
    // question shows, a play that needs another is refused without one.
    bool agreed(const std::string& path);

  private:
    MessageBoxes& boxes_;
    WebMarkReader marked_;
    // Paths as Windows compares them: without regard to ASCII case, with
    // either slash.
    std::set<std::string> agreed_;
    bool asking_ = false;
};

// The question asked before a file from the internet plays.
std::string downloadedMacroQuestion(const std::string& path);

}  // namespace keyreel
