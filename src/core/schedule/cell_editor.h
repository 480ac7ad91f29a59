#pragma once

// The update window's in-place editor: which of its four editors a double
// click on a cell of the entry list opens, what that editor starts with, and
// the cell text its value gives when "Modify" (or Enter in the text box)
// writes it back.
//
// The editor holds the row's identity, not its index: the clock goes on
// while the editor is open, and a pass may remove rows above it, or the row
// itself, meanwhile. "Modify" writes into that same entry wherever it moved,
// and into nothing when it is gone.

#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "core/base/message_boxes.h"
#include "core/schedule/schedule_clock.h"
#include "core/schedule/schedule_list.h"

namespace keyreel {

enum class CellEditorKind { TextBox, ChoiceList, DatePicker, TimePicker };

struct CellEdit {
    ScheduleList::RowId rowId = 0;
    ScheduleColumn column = ScheduleColumn::Description;
    CellEditorKind editor = CellEditorKind::TextBox;
    // The text box's text, or the choice list's text.
    std::string text;
    // The choice list's items; empty for the other editors.
    std::span<const char* const> choices;
    // The date picker's year, month and day; the time picker's hour, minute
    // and second.
    LocalDateTime picker;

    // Every key in the choice list empties its text, so a choice is made only
    // by picking an item with the mouse.
    void keyInChoiceList() { text.clear(); }
    // What "Modify" writes into the cell: a choice's code (empty for a text
    // that is no choice), the date "M/d/yyyy", the time "h:nn:ss", or the
    // text box's text as it stands.
    std::string cellText() const;
};

// The editor for a double click on `column` of `row`; empty when the click
// hit no row. Every editor starts at the cell's value, so a Modify without a
// change keeps it; a value that cannot be read starts the pickers at
// `now` and the choice lists at their first item.
std::optional<CellEdit> openCellEditor(const ScheduleList& list, std::optional<std::size_t> row,
                                       std::size_t column, const LocalDateTime& now);

struct CellUpdate {
    bool written = false;
    // False when the update window stays open for the value to be corrected.
    bool closeEditor = true;
    std::optional<MessageRequest> message;
};

// "Modify": writes the editor's value into its one cell and nothing else. A
// double quote in the text box is refused and the editor stays open; a row
// that is gone gets nothing and says so; a change that leaves a weekly entry
// off its weekday is written and said, and so is a run date or time that
// lies before `now`'s minute for a once entry.
CellUpdate updateTheSchedule(ScheduleList& list, const CellEdit& edit, const LocalDateTime& now);

}  // namespace keyreel
