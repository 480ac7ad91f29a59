// The schedule pass on a simulated clock. 3/5/2000 is a Sunday.

#include "core/schedule/schedule_pass.h"

#include <gtest/gtest.h>

#include "scheduler_fixture.h"

namespace keyreel {
namespace {

// The schedule as the scheduler holds it, played by the fixture's player.
struct Schedule : SchedulerParts, ScheduleActions {
    ScheduleDatabase db{files, kDatabase};
    ScheduleList list;
    SchedulePass pass{list, db, clock, *this};

    FilePlayResult playMacroFile(const std::string& path,
                                 const FilePlayStarting& starting) override {
        return SchedulerParts::playMacroFile(path, starting);
    }
    void scheduleSaved(ScheduleSaveResult) override {}
    void add(const std::string& descr, const std::string& freq, const std::string& runDate,
             const std::string& runTime, const std::string& runDay = "1",
             const std::string& running = "False") {
        list.addLoadedRow({descr, runTime, runDate, runDay, freq, descr + ".kyr", running, ""});
    }
    void passAt(const std::string& moment, int millis = 0) {
        setClock(moment, millis);
        pass.checkTheSchedule();
    }
    Strings rows() const {
        Strings texts;
        for (std::size_t row = 0; row < list.rowCount(); ++row) {
            const ScheduleEntry& e = list.entry(row);
            texts.push_back(e.descr + " " + e.runDate + " " + e.runDay + " " + e.running);
        }
        return texts;
    }
    bool fileHoldsTheList() { return database() == db.fileBytes(list); }
};

class SchedulePassTest : public ::testing::Test, protected Schedule {};

TEST(SchedulePass, AnEntryFiresFromItsRunTimeToTheEndOfThatMinuteOnItsRunDate) {
    // Frequency, weekday number, run time; the moment of the pass; whether it fires.
    const std::tuple<const char*, const char*, const char*, const char*, int, bool> cases[] = {
        {"D", "1", "9:05:07", "3/5/2000 9:05:06", 999, false},
        {"D", "1", "9:05:07", "3/5/2000 9:05:07", 0, true},
        {"D", "1", "9:05:07", "3/5/2000 9:05:59", 999, true},
        {"D", "1", "9:05:07", "3/5/2000 9:06:00", 0, false},
        {"D", "1", "9:05:07", "3/4/2000 9:05:07", 0, false},
        {"D", "1", "9:05:07", "3/6/2000 9:05:07", 0, true},  // a missed run moves on to today
        // Nothing wraps across midnight.
        {"D", "1", "0:00:00", "3/5/2000 0:00:59", 999, true},
        {"D", "1", "23:59:30", "3/6/2000 0:00:00", 0, false},
        // A once entry fires within its minute too, not only within its second.
        {"O", "1", "14:30:00", "3/5/2000 14:30:41", 0, true},
        {"O", "1", "14:30:00", "3/5/2000 14:31:00", 0, false},
        {"O", "1", "14:30:00", "3/6/2000 14:30:00", 0, false},
        // A weekly entry needs both its weekday and its run date.
        {"W", "1", "9:05:07", "3/5/2000 9:05:07", 0, true},
        {"W", "2", "9:05:07", "3/5/2000 9:05:07", 0, false},
        {"W", "1", "9:05:07", "2/27/2000 9:05:07", 0, false},
        {"X", "1", "9:05:07", "3/5/2000 9:05:07", 0, false},  // other codes are never due
    };
    for (const auto& [freq, runDay, runTime, moment, millis, fires] : cases) {
        Schedule schedule;
        schedule.add("E", freq, "3/5/2000", runTime, runDay);
        schedule.passAt(moment, millis);
        const std::string what = std::string(freq) + " " + runTime + " at " + moment;
        EXPECT_EQ(schedule.played, fires ? Strings{"E.kyr"} : Strings{}) << what;
        EXPECT_EQ(schedule.list.rowCount(), fires && freq[0] == 'O' ? 0u : 1u) << what;
    }
}

TEST_F(SchedulePassTest, AFiredDailyEntryMovesOnADayAndIsResetASecondLater) {
    add("Backup", "D", "3/5/2000", "9:05:07");
    duringPlay = [&](const std::string&) {
        EXPECT_TRUE(list.entry(0).running == "True" && files.writes == 0) << "saved after the play";
    };
    passAt("3/5/2000 9:05:07");
    duringPlay = nullptr;
    EXPECT_EQ(rows(), Strings{"Backup 3/06/2000 2 True"});
    EXPECT_TRUE(fileHoldsTheList());
    passAt("3/5/2000 9:05:08");
    EXPECT_EQ(rows(), Strings{"Backup 3/06/2000 2 False"});
    EXPECT_TRUE(fileHoldsTheList());
    passAt("3/5/2000 9:05:59", 999);
    EXPECT_EQ(files.writes, 2) << "passes with nothing to do write nothing";
    passAt("3/6/2000 9:05:07");
    EXPECT_EQ(rows(), Strings{"Backup 3/07/2000 3 True"});
}

TEST_F(SchedulePassTest, AOnceEntryIsGoneBeforeItPlaysAndTheRowMovingUpWaitsForTheNextPass) {
    add("Once", "O", "3/5/2000", "9:05:07");
    add("Daily", "D", "3/5/2000", "9:05:07");
    add("Other", "D", "3/5/2000", "9:05:07");
    duringPlay = [&](const std::string& path) {
        if (path == "Once.kyr") {
            EXPECT_TRUE(list.rowCount() == 2 && fileHoldsTheList()) << "removed and saved";
        }
    };
    passAt("3/5/2000 9:05:07");
    EXPECT_EQ(played, (Strings{"Once.kyr", "Other.kyr"}));
    passAt("3/5/2000 9:05:07", 1);
    EXPECT_EQ(played, (Strings{"Once.kyr", "Other.kyr", "Daily.kyr"}));
}

TEST_F(SchedulePassTest, ARowThatCannotBeReadIsSkippedAndThePassGoesOn) {
    add("BadDate", "D", "2/30/2000", "9:05:07");
    add("BadFlag", "D", "3/1/2000", "9:05:07", "1", "maybe");
    add("BadTime", "D", "3/5/2000", "9:05");
    add("BadOnce", "O", "3/5/2000", "9:05:07", "1", "");
    const std::string unreadable = db.fileBytes(list);
    add("Good", "D", "3/5/2000", "9:05:07");
    passAt("3/5/2000 9:05:07");
    EXPECT_EQ(played, (Strings{"Good.kyr"}));
    list.removeRow(4);
    EXPECT_EQ(db.fileBytes(list), unreadable) << "and left as they are";
}

TEST_F(SchedulePassTest, AMissedRunMovesOnWithoutPlayingToTheNextRunStillAhead) {
    add("Stale", "D", "3/1/2000", "9:00:00", "4", "True");
    add("Weekly", "W", "2/6/2000", "9:00:00");
    add("Late", "D", "3/5/2000", "9:00:00");
    add("Once", "O", "3/1/2000", "9:00:00");
    add("DailyDue", "D", "3/1/2000", "9:05:07", "4");
    add("WeeklyDue", "W", "2/6/2000", "9:05:07");
    passAt("3/5/2000 9:05:30");
    EXPECT_EQ(played, (Strings{"DailyDue.kyr", "WeeklyDue.kyr"}));
    // Daily by days with the weekday recomputed, weekly by whole weeks; once entries stay.
    EXPECT_EQ(rows(), (Strings{"Stale 3/06/2000 2 False", "Weekly 3/12/2000 1 False",
                               "Late 3/06/2000 2 False", "Once 3/1/2000 1 False",
                               "DailyDue 3/06/2000 2 True", "WeeklyDue 3/12/2000 1 True"}));
    EXPECT_TRUE(fileHoldsTheList());
    // A weekly flag is reset by any later pass that day, a daily one only within the minute.
    passAt("3/5/2000 11:00:00");
    EXPECT_EQ(rows()[4], "DailyDue 3/06/2000 2 True");
    EXPECT_EQ(rows()[5], "WeeklyDue 3/12/2000 1 False");
}

TEST_F(SchedulePassTest, EntriesDueWhileAnotherPlayRunsPlayInDueOrderAtThePassAfterIt) {
    add("First", "O", "3/5/2000", "9:05:07");
    add("Second", "O", "3/5/2000", "9:05:07");
    add("Daily", "D", "3/5/2000", "9:05:07");
    add("Weekly", "W", "3/5/2000", "9:05:30");
    add("Deleted", "O", "3/5/2000", "9:05:30");
    std::string fileWhileWaiting;
    duringPlay = [&](const std::string& path) {
        if (path != "First.kyr")
            return;
        passAt("3/5/2000 9:05:08");
        passAt("3/5/2000 9:05:30");
        fileWhileWaiting = database();
    };
    passAt("3/5/2000 9:05:07");
    EXPECT_EQ(played, Strings{"First.kyr"});
    list.removeRow(3);  // "Deleted", while it waits
    EXPECT_EQ(fileWhileWaiting, database()) << "nothing stored for the queue";
    EXPECT_EQ(files.writes, 1) << "First's removal only";
    // Long after their minute: a queued entry still plays.
    passAt("3/5/2000 11:00:00");
    EXPECT_EQ(played, (Strings{"First.kyr", "Second.kyr", "Daily.kyr", "Weekly.kyr"}));
    // The weekly flag is reset by the rest of the same pass, as after any run.
    EXPECT_EQ(rows(), (Strings{"Daily 3/06/2000 2 True", "Weekly 3/12/2000 1 False"}));
    EXPECT_TRUE(fileHoldsTheList());
}

}  // namespace
}  // namespace keyreel
