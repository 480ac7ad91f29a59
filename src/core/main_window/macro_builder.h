#pragma once

// The macro builder of the main window: composes a macro line from the
// command chooser's word and the value field, changes the list through the
// model, and keeps macroLineCount the way the player reads it. The window
// only hands over what the user chose and typed.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/base/message_boxes.h"
#include "core/base/save_questions.h"
#include "core/macro/macro_file.h"
#include "core/main_window/main_model.h"

namespace keyreel {

// The position of a word typed into the command chooser, or chosen there and
// edited afterwards; also "no line selected" in the list.
inline constexpr std::int64_t kNoPosition = -1;

// What Add and Insert work from.
struct BuilderEntry {
    std::string_view word;
    // The word's position in the chooser's list (builderCommandWords), or
    // kNoPosition.
    std::int64_t position = kNoPosition;
    std::string_view value;
};

// The line Add and Insert put into the list; nothing for an empty word.
// Words chosen from position 10 on stand alone; the others, and every typed
// word, are followed by " >" and the value, "1" for an empty or one-blank
// Wait or Repeat value.
std::optional<std::string> composeLine(const BuilderEntry& entry);

// The list's tooltip for a pointer over it: the text of the line nearest to
// the pointer (the last line below the last line), nothing outside the list.
std::string listTipText(const MacroList& list, std::int64_t nearestIndex, bool insideList);

class MacroBuilder {
  public:
    MacroBuilder(MainModel& model, MacroFiles& files, MessageBoxes& boxes)
        : model_(model), files_(files), boxes_(boxes) {}

    // Appends the composed line. macroLineCount becomes the number of lines
    // before the new one, also when nothing is added.
    void add(const BuilderEntry& entry);
    // Inserts the composed line before the selected one; with no line
    // selected nothing is inserted. macroLineCount as for add.
    void insert(std::int64_t selected, const BuilderEntry& entry);
    // Removes the selected line; macroLineCount becomes the new count.
    void deleteLine(std::int64_t selected);
    // Empties the list; macroLineCount keeps its value, and the player's
    // bounds checks make a run of the empty list play nothing.
    void clear() { model_.clearList(); }
    // Saves the list, asking before it replaces a file.
    SaveOutcome save(const std::string& path);
    // Loads the file into the list, or tells why it was not read;
    // macroLineCount becomes the list's count either way.
    void load(const std::string& path);

  private:
    void countLines();

    MainModel& model_;
    MacroFiles& files_;
    MessageBoxes& boxes_;
};

}  // namespace keyreel
