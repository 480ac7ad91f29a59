// The texts of schedule entry fields: run dates, run times, weekdays and the
// running flag.

#include "schedule_entry.h"

#include <gtest/gtest.h>

namespace keyreel {
namespace {

using namespace std::chrono;

Date ymd(int y, unsigned m, unsigned d) {
    return sys_days(year(y) / month(m) / day(d));
}

TEST(ScheduleDates, BothWrittenFormsReadMonthFirst) {
    EXPECT_EQ(parseRunDate("3/5/2000"), ymd(2000, 3, 5));
    EXPECT_EQ(parseRunDate("3/05/2000"), ymd(2000, 3, 5));
    EXPECT_EQ(parseRunDate("03/05/2000"), ymd(2000, 3, 5));
    EXPECT_EQ(parseRunDate(" 12/31/1999 "), ymd(1999, 12, 31));
    EXPECT_EQ(parseRunDate("2/29/2000"), ymd(2000, 2, 29));
    for (const char* bad : {"", "3/5", "3/5/00", "3-5-2000", "13/1/2000", "2/30/2000", "2/29/1900",
                            "0/1/2000", "3/5/2000x", "3/123/2000", "3/5/20000", "a/5/2000"}) {
        EXPECT_FALSE(parseRunDate(bad)) << bad;
    }
}

TEST(ScheduleDates, WrittenWithTwoDigitDaysByTheAdvancesAndWithoutByTheWindows) {
    EXPECT_EQ(runDateText(ymd(2000, 3, 6)), "3/06/2000");
    EXPECT_EQ(runDateText(ymd(2000, 12, 25)), "12/25/2000");
    EXPECT_EQ(enteredDateText(3, 5, 2000), "3/5/2000");
    EXPECT_EQ(parseRunDate(runDateText(ymd(2024, 1, 9))), ymd(2024, 1, 9));
}

TEST(ScheduleDates, WeekdaysCountFromSunday) {
    EXPECT_EQ(weekdayNumber(ymd(2000, 3, 5)), 1);
    EXPECT_EQ(weekdayNumber(ymd(2000, 3, 6)), 2);
    EXPECT_EQ(weekdayNumber(ymd(2000, 3, 11)), 7);
    EXPECT_EQ(weekdayNumber(ymd(1969, 12, 31)), 4) << "before 1970 too";
    EXPECT_EQ(weekdayName(1), "Sunday");
    EXPECT_EQ(weekdayName(4), "Wednesday");
    EXPECT_EQ(weekdayName(7), "Saturday");
    EXPECT_EQ(weekdayName(0), "");
    EXPECT_EQ(weekdayName(8), "");
    EXPECT_EQ(parseWeekdayNumber("2"), 2);
    EXPECT_EQ(parseWeekdayNumber(" 7 "), 7);
    for (const char* bad : {"", "0", "8", "2.5", "x", "-1", "123"}) {
        EXPECT_FALSE(parseWeekdayNumber(bad)) << bad;
    }
}

TEST(ScheduleTimes, RunTimeTextHasNoLeadingZeroOnTheHour) {
    EXPECT_EQ(runTimeText(9, 5, 7), "9:05:07");
    EXPECT_EQ(runTimeText(14, 30, 0), "14:30:00");
    EXPECT_EQ(runTimeText(0, 0, 0), "0:00:00");
    EXPECT_EQ(runTimeText(23 * 3600 + 59 * 60 + 59), "23:59:59");
    EXPECT_EQ(parseRunTime("9:05:07"), 9 * 3600 + 5 * 60 + 7);
    EXPECT_EQ(parseRunTime("09:05:07"), 9 * 3600 + 5 * 60 + 7);
    EXPECT_EQ(parseRunTime("0:00:00"), 0);
    for (const char* bad :
         {"", "9:05", "24:00:00", "9:60:00", "9:05:60", "9:05:07 PM", "9.05.07", "123:00:00"}) {
        EXPECT_FALSE(parseRunTime(bad)) << bad;
    }
}

TEST(ScheduleFlags, RunningReadsAsABooleanOrANumber) {
    EXPECT_EQ(parseRunningFlag("True"), true);
    EXPECT_EQ(parseRunningFlag("False"), false);
    EXPECT_EQ(parseRunningFlag("TRUE"), true);
    EXPECT_EQ(parseRunningFlag("0"), false);
    EXPECT_EQ(parseRunningFlag("-1"), true);
    EXPECT_EQ(parseRunningFlag("0.0"), false);
    EXPECT_EQ(parseRunningFlag("0.5"), true);
    for (const char* bad : {"", "yes", "Tru", "1x", ".", "-"}) {
        EXPECT_FALSE(parseRunningFlag(bad)) << bad;
    }
    EXPECT_EQ(frequencyOf("O"), Frequency::Once);
    EXPECT_EQ(frequencyOf("D"), Frequency::Daily);
    EXPECT_EQ(frequencyOf("W"), Frequency::Weekly);
    EXPECT_EQ(frequencyOf("d"), Frequency::Never);
    EXPECT_EQ(frequencyOf(""), Frequency::Never);
}

}  // namespace
}  // namespace keyreel
