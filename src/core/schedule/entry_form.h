#pragma once

// The schedule entry window ("Schedule Entry"): its fields, the weekday
// name beside the date picker, and the entry they make.

#include <cstddef>
#include <optional>
#include <string>

#include "core/base/file_dialog.h"
#include "core/schedule/schedule_clock.h"
#include "core/schedule/schedule_list.h"

namespace keyreel {

struct ScheduleEntryForm {
    std::string description;
    // The date picker's year, month and day and the time picker's hour,
    // minute and second.
    LocalDateTime when;
    // The position chosen in the frequency list; nothing is chosen at first.
    std::optional<std::size_t> frequency;
    std::string path;
    std::string notes;

    // The window as it loads: fields empty, both pickers at `now`.
    static ScheduleEntryForm loaded(const LocalDateTime& now);

    // `showWeekdayName`: the name of the date picker's weekday.
    std::string weekdayLabel() const;
    // "O", "D" or "W" for positions 0 to 2; empty when nothing is chosen.
    std::optional<std::string> frequencyCode() const;
    // The name of the first field holding a double quote, which the
    // database cannot store; empty when there is none.
    std::optional<std::string> fieldWithDoubleQuote() const;
    // "Browse": the chosen file's path goes into the path field; a cancelled
    // dialog changes nothing.
    void browse(const ChooseFile& chooseFile);
    // After an entry was made: description, frequency, path and notes are
    // emptied; the pickers keep their values.
    void emptyFields();
};

// `addScheduleEntry`: appends the form's entry through `addEntryRow` (a
// repeated description gets the row's number), running "False". False, and
// nothing added, when no frequency is chosen. Does not save.
bool addScheduleEntry(ScheduleList& list, const ScheduleEntryForm& form);

}  // namespace keyreel
