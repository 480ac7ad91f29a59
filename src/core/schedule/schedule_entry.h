#pragma once

// One schedule entry and the texts its fields hold. Every field is text, as
// the list shows it and the database stores it; the pass reads the parsed
// forms below.

#include <array>
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace keyreel {

struct ScheduleEntry {
    std::string descr;    // free text naming the entry
    std::string runTime;  // "h:nn:ss"
    std::string runDate;  // month first: "M/d/yyyy" or "M/dd/yyyy"
    std::string runDay;   // weekday number "1" (Sunday) to "7" (Saturday)
    std::string freq;     // "O" once, "D" daily, "W" weekly
    std::string path;     // the macro file to play
    std::string running;  // "False" or "True"
    std::string notes;    // free notes, may hold line breaks

    bool operator==(const ScheduleEntry&) const = default;
};

// The columns of the entry list, in the order of the file's fields.
enum class ScheduleColumn : std::size_t {
    Description = 0,
    RunTime,
    RunDate,
    Day,
    Freq,
    FilePath,
    Running,
    Notes,
};
inline constexpr std::size_t kScheduleColumnCount = 8;

struct ScheduleColumnInfo {
    const char* key;
    const char* caption;
    std::string ScheduleEntry::*field;
    int widthTwips;
    // The hidden columns cannot be dragged open: a running flag edited to a
    // text that is not a Boolean would keep its row from ever running.
    bool resizable;
};

// Keys, captions and widths of the eight columns; running and notes have no
// caption and no width because the list keeps them hidden.
const std::array<ScheduleColumnInfo, kScheduleColumnCount>& scheduleColumns();

std::string& fieldOf(ScheduleEntry& entry, ScheduleColumn column);
const std::string& fieldOf(const ScheduleEntry& entry, ScheduleColumn column);

using Date = std::chrono::sys_days;

// A run date, month first, with one or two digits for month and day and four
// for the year; surrounding blanks are ignored. Empty when it is no date.
std::optional<Date> parseRunDate(std::string_view text);
// "M/dd/yyyy", as the daily and weekly advances write it.
std::string runDateText(Date date);
// "M/d/yyyy", as the entry and update windows write it.
std::string enteredDateText(int month, int day, int year);

// Seconds since midnight of an "h:nn:ss" run time (one or two digits each,
// hour 0 to 23); empty when it is no time of day.
std::optional<int> parseRunTime(std::string_view text);
// "h:nn:ss": the hour without a leading zero, minute and second with two digits.
std::string runTimeText(int hour, int minute, int second);
std::string runTimeText(int secondOfDay);

// 1 = Sunday to 7 = Saturday.
int weekdayNumber(Date date);
// The English name of a weekday number; empty outside 1 to 7.
std::string_view weekdayName(int number);
// A weekday number written as text; empty unless it is a whole number 1 to 7.
std::optional<int> parseWeekdayNumber(std::string_view text);

// "True" and "False" in any case, or a number, which is true unless it is
// zero; empty for anything else.
std::optional<bool> parseRunningFlag(std::string_view text);
inline const char* runningFlagText(bool running) {
    return running ? "True" : "False";
}

enum class Frequency { Once, Daily, Weekly, Never };
// "O", "D" and "W"; every other code is never due.
Frequency frequencyOf(std::string_view code);

}  // namespace keyreel
