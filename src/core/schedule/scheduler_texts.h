#pragma once

// The texts of the scheduler's windows: the choice lists, the date pickers'
// format, and every message the windows show about the schedule.

#include <array>
#include <string>
#include <string_view>

#include "core/base/message_boxes.h"
#include "core/schedule/schedule_database.h"

namespace keyreel {

// The frequency choices of the entry and update windows, positions 0 to 2.
const std::array<const char*, 3>& frequencyChoices();
// The weekday choices of the update window, "1 - Sunday" to "7 - Saturday".
const std::array<const char*, 7>& weekdayChoices();
// The code a choice stands for ("O", "D", "W", "1" to "7"); empty for any
// other text, which is what a choice list emptied by a key holds.
std::string codeOfChoice(std::string_view choice);

// The date pickers' custom display format; "yyy" shows the whole year.
inline constexpr const char* kDatePickerFormat = "M/dd/yyy";

// The database cannot store a double quote inside a field, so the windows
// refuse one rather than let it be written as something else.
bool holdsDoubleQuote(std::string_view text);

// "Schedule It" with no frequency chosen.
MessageRequest noFrequencyMessage();
// A double quote typed into the named field ("description", "macro path").
MessageRequest doubleQuoteMessage(std::string_view field);
// "Modify" for a row that a pass removed, or the user deleted, meanwhile.
MessageRequest entryGoneMessage();
// "Modify" left a weekly entry whose run date is not on its weekday.
MessageRequest weekdayMismatchMessage(const ScheduleEntry& entry);
// "Schedule It" of a once entry whose run date and time have gone by, which
// adds nothing, and "Modify" that gives a once entry such a date or time,
// which writes it.
MessageRequest onceRunPassedMessage(const std::string& runDate, const std::string& runTime,
                                    bool written);
// A due entry whose macro file could not be read, or came from the internet,
// as it stands after it was kept (once) or moved on (daily, weekly).
MessageRequest unreadableEntryReport(const ScheduleEntry& entry);
MessageRequest downloadedEntryReport(const ScheduleEntry& entry);
// "Schedule It" and "Modify" of an entry whose macro file came from the
// internet: the entry is kept, and said to play nothing while the file is
// marked.
MessageRequest downloadedEntryMessage(const std::string& path);
// What the scheduler window says when it loads; empty when all went well.
std::optional<MessageRequest> loadReport(const ScheduleLoad& load,
                                         const ScheduleDatabase& database);
// A save that did not write the database.
MessageRequest saveFailureReport(ScheduleSaveResult result, const ScheduleDatabase& database);
// Asked when the scheduler window closes, or the program ends, with changes
// not saved: Yes, No or Cancel.
MessageRequest unsavedChangesQuestion();

}  // namespace keyreel
