#include "core/schedule/schedule_entry.h"

#include <cstdio>

#include "core/base/text.h"

namespace keyreel {

namespace {

using namespace std::chrono;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads `minDigits` to `maxDigits` decimal digits from the front of `text`.
std::optional<int> takeDigits(std::string_view& text, std::size_t minDigits,
                              std::size_t maxDigits) {
    std::size_t count = 0;
    int value = 0;
    while (count < text.size() && count < maxDigits && isDigit(text[count])) {
        value = value * 10 + (text[count] - '0');
        ++count;
    }
    if (count < minDigits || (count < text.size() && isDigit(text[count])))
        return std::nullopt;
    text.remove_prefix(count);
    return value;
}

bool takeChar(std::string_view& text, char c) {
    if (text.empty() || text.front() != c)
        return false;
    text.remove_prefix(1);
    return true;
}

// Three numbers with `separator` between them and blanks around them: one or
// two digits each, or exactly four for the last when `fourDigitLast`.
std::optional<std::array<int, 3>> splitThreeNumbers(std::string_view text, char separator,
                                                    bool fourDigitLast) {
    text = trimBlanks(text);
    const auto first = takeDigits(text, 1, 2);
    if (!first || !takeChar(text, separator))
        return std::nullopt;
    const auto second = takeDigits(text, 1, 2);
    if (!second || !takeChar(text, separator))
        return std::nullopt;
    const auto last = fourDigitLast ? takeDigits(text, 4, 4) : takeDigits(text, 1, 2);
    if (!last || !text.empty())
        return std::nullopt;
    return std::array<int, 3>{*first, *second, *last};
}

constexpr std::array<std::string_view, 7> kWeekdayNames = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

constexpr std::array<ScheduleColumnInfo, kScheduleColumnCount> kColumns = {{
    {"descr", "Description", &ScheduleEntry::descr, 2500, true},
    {"runTime", "Run Time", &ScheduleEntry::runTime, 1000, true},
    {"runDate", "Run Date", &ScheduleEntry::runDate, 1200, true},
    {"runDay", "Day", &ScheduleEntry::runDay, 500, true},
    {"freq", "Freq", &ScheduleEntry::freq, 500, true},
    {"path", "File Path", &ScheduleEntry::path, 2500, true},
    {"running", "", &ScheduleEntry::running, 0, false},
    {"notes", "", &ScheduleEntry::notes, 0, false},
}};

}  // namespace

const std::array<ScheduleColumnInfo, kScheduleColumnCount>& scheduleColumns() {
    return kColumns;
}

std::string& fieldOf(ScheduleEntry& entry, ScheduleColumn column) {
    return entry.*kColumns[static_cast<std::size_t>(column)].field;
}

const std::string& fieldOf(const ScheduleEntry& entry, ScheduleColumn column) {
    return entry.*kColumns[static_cast<std::size_t>(column)].field;
}

std::optional<Date> parseRunDate(std::string_view text) {
    const auto parts = splitThreeNumbers(text, '/', true);
    if (!parts)
        return std::nullopt;
    const auto [month, day, year] = *parts;
    const year_month_day date{std::chrono::year(year), std::chrono::month(month),
                              std::chrono::day(day)};
    if (!date.ok())
        return std::nullopt;
    return sys_days(date);
}

std::string runDateText(Date date) {
    const year_month_day ymd(date);
    char buf[24];
    std::snprintf(buf, sizeof buf, "%u/%02u/%04d", static_cast<unsigned>(ymd.month()),
                  static_cast<unsigned>(ymd.day()), static_cast<int>(ymd.year()));
    return buf;
}

std::string enteredDateText(int month, int day, int year) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%d/%d/%d", month, day, year);
    return buf;
}

std::optional<int> parseRunTime(std::string_view text) {
    const auto parts = splitThreeNumbers(text, ':', false);
    if (!parts)
        return std::nullopt;
    const auto [hour, minute, second] = *parts;
    if (hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    return hour * 3600 + minute * 60 + second;
}

std::string runTimeText(int hour, int minute, int second) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%d:%02d:%02d", hour, minute, second);
    return buf;
}

std::string runTimeText(int secondOfDay) {
    return runTimeText(secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60);
}

int weekdayNumber(Date date) {
    return static_cast<int>(weekday(date).c_encoding()) + 1;
}

std::string_view weekdayName(int number) {
    if (number < 1 || number > 7)
        return {};
    return kWeekdayNames[static_cast<std::size_t>(number - 1)];
}

std::optional<int> parseWeekdayNumber(std::string_view text) {
    text = trimBlanks(text);
    const auto number = takeDigits(text, 1, 2);
    if (!number || !text.empty() || *number < 1 || *number > 7)
        return std::nullopt;
    return *number;
}

std::optional<bool> parseRunningFlag(std::string_view text) {
    text = trimBlanks(text);
    if (text.size() == 4 && toLowerAscii(text) == "true")
        return true;
    if (text.size() == 5 && toLowerAscii(text) == "false")
        return false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-'))
        text.remove_prefix(1);
    bool anyDigit = false;
    bool nonZero = false;
    bool point = false;
    for (const char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (isDigit(c)) {
            anyDigit = true;
            nonZero = nonZero || c != '0';
        } else {
            return std::nullopt;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    return nonZero;
}

Frequency frequencyOf(std::string_view code) {
    if (code == "O")
        return Frequency::Once;
    if (code == "D")
        return Frequency::Daily;
    if (code == "W")
        return Frequency::Weekly;
    return Frequency::Never;
}

}  // namespace keyreel
