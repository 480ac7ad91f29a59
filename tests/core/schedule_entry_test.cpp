// The texts of schedule entry fields: run dates, run times, weekdays and the
// running flag.

#include "core/schedule/schedule_entry.h"

#include <gtest/gtest.h>

namespace keyreel {
namespace {

using namespace std::chrono;

constexpr Date kMarch5{year(2000) / 3 / 5};

TEST(ScheduleEntryTexts, RunDatesReadMonthFirstAndAreWrittenBothWays) {
    for (const char* same : {"3/5/2000", "3/05/2000", "03/05/2000", " 3/5/2000 "})
        EXPECT_EQ(parseRunDate(same), kMarch5) << same;
    EXPECT_EQ(parseRunDate("2/29/2000"), Date(year(2000) / 2 / 29));
    for (const char* bad : {"", "3/5", "3/5/00", "3-5-2000", "13/1/2000", "2/30/2000", "2/29/1900",
                            "0/1/2000", "3/5/2000x", "3/123/2000", "3/5/20000", "a/5/2000"}) {
        EXPECT_FALSE(parseRunDate(bad)) << bad;
    }
    EXPECT_EQ(runDateText(Date(year(2000) / 12 / 25)), "12/25/2000");
    EXPECT_EQ(enteredDateText(3, 5, 2000), "3/5/2000");
}

TEST(ScheduleEntryTexts, WeekdaysCountFromSunday) {
    EXPECT_EQ(weekdayNumber(kMarch5 + days(6)), 7);
    EXPECT_EQ(weekdayNumber(Date(year(1969) / 12 / 31)), 4) << "before 1970 too";
    EXPECT_EQ(weekdayName(1), "Sunday");
    EXPECT_EQ(weekdayName(0), "");
    EXPECT_EQ(weekdayName(8), "");
    const std::pair<const char*, std::optional<int>> numbers[] = {
        {"2", 2},    {" 7 ", 7}, {"", {}},   {"0", {}},   {"8", {}},
        {"2.5", {}}, {"x", {}},  {"-1", {}}, {"123", {}},
    };
    for (const auto& [text, number] : numbers)
        EXPECT_EQ(parseWeekdayNumber(text), number) << text;
}

TEST(ScheduleEntryTexts, RunTimesHaveNoLeadingZeroOnTheHour) {
    EXPECT_EQ(runTimeText(9, 5, 7), "9:05:07");
    EXPECT_EQ(runTimeText(23 * 3600 + 59 * 60 + 59), "23:59:59");
    const std::pair<const char*, std::optional<int>> times[] = {
        {"9:05:07", 32707}, {"09:05:07", 32707}, {"0:00:00", 0},    {"", {}},
        {"9:05", {}},       {"24:00:00", {}},    {"9:60:00", {}},   {"9:05:60", {}},
        {"9:05:07 PM", {}}, {"9.05.07", {}},     {"123:00:00", {}},
    };
    for (const auto& [text, seconds] : times)
        EXPECT_EQ(parseRunTime(text), seconds) << text;
}

TEST(ScheduleEntryTexts, RunningReadsAsABooleanOrANumberAndOnlyUpperCaseCodesAreDue) {
    const std::pair<const char*, std::optional<bool>> flags[] = {
        {"True", true}, {"False", false}, {"TRUE", true}, {"0", false}, {"-1", true},
        {"0.0", false}, {"0.5", true},    {"", {}},       {"yes", {}},  {"Tru", {}},
        {"1x", {}},     {".", {}},        {"-", {}},
    };
    for (const auto& [text, flag] : flags)
        EXPECT_EQ(parseRunningFlag(text), flag) << text;
    EXPECT_EQ(frequencyOf("D"), Frequency::Daily);
    EXPECT_EQ(frequencyOf("d"), Frequency::Never);
}

}  // namespace
}  // namespace keyreel
