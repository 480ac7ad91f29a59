// The schedule pass on a simulated clock: when entries fire, how they move
// on, what is saved when, and passes that run while a macro plays.
// 3/5/2000 is a Sunday.

#include "schedule_pass.h"

#include <gtest/gtest.h>

#include <functional>

#include "memory_file_store.h"

namespace keyreel {
namespace {

using Strings = std::vector<std::string>;

class RecordingActions : public ScheduleActions {
  public:
    Strings events;
    std::function<void(const std::string& path)> duringPlay;

    void entryFired(const ScheduleEntry& entry) override {
        events.push_back("fired " + entry.descr);
    }
    void playMacroFile(const std::string& path) override {
        events.push_back("play " + path);
        if (duringPlay)
            duringPlay(path);
    }
    void scheduleNotSaved(ScheduleSaveResult) override { events.push_back("not saved"); }
};

struct Schedule {
    MemoryFileStore files;
    ScheduleDatabase database{files, "C:\\Keyreel\\macro.kdb"};
    ScheduleList list;
    SimulatedClock clock;
    RecordingActions actions;
    SchedulePass pass{list, database, clock, actions};

    void add(const std::string& descr, const std::string& freq, const std::string& runDate,
             const std::string& runTime, const std::string& runDay = "1",
             const std::string& running = "False") {
        list.addLoadedRow({descr, runTime, runDate, runDay, freq, descr + ".kyr", running, ""});
    }
    // "M/D/YYYY H:MM:SS" plus milliseconds.
    void passAt(const std::string& moment, int millis = 0) {
        setClock(moment, millis);
        pass.checkTheSchedule();
    }
    void setClock(const std::string& moment, int millis = 0) {
        const auto time = parseLocalDateTime(moment);
        ASSERT_TRUE(time) << moment;
        clock.set(*time);
        clock.advanceMillis(millis);
    }
    Strings played() const {
        Strings paths;
        for (const std::string& event : actions.events) {
            if (event.starts_with("play "))
                paths.push_back(event.substr(5));
        }
        return paths;
    }
    // Run date, weekday number and running flag of a row.
    Strings state(std::size_t row) const {
        const ScheduleEntry& entry = list.entry(row);
        return {entry.runDate, entry.runDay, entry.running};
    }
    const std::string& file() { return files.files[database.path()]; }
    bool fileHoldsTheList() { return file() == database.fileBytes(list); }
};

class SchedulePassTest : public ::testing::Test, protected Schedule {};

TEST(SchedulePass, ADailyEntryFiresFromItsRunTimeToTheEndOfThatMinute) {
    const std::pair<const char*, bool> cases[] = {
        {"3/5/2000 9:05:06", false}, {"3/5/2000 9:05:07", true},  {"3/5/2000 9:05:30", true},
        {"3/5/2000 9:05:59", true},  {"3/5/2000 9:06:00", false}, {"3/4/2000 9:05:07", false},
        {"3/6/2000 9:05:07", true},  // a missed run moves on to today
    };
    for (const auto& [moment, fires] : cases) {
        Schedule schedule;
        schedule.add("Backup", "D", "3/5/2000", "9:05:07");
        schedule.passAt(moment, 999);
        EXPECT_EQ(schedule.played(), fires ? Strings{"Backup.kyr"} : Strings{}) << moment;
    }
}

TEST_F(SchedulePassTest, AFiredDailyEntryMovesOnADayAndIsResetASecondLater) {
    add("Backup", "D", "3/5/2000", "9:05:07");
    database.saveSchedule(list);
    const std::string before = file();
    actions.duringPlay = [&](const std::string&) {
        EXPECT_EQ(list.entry(0).running, "True");
        EXPECT_EQ(file(), before) << "the flag set before the play is not saved yet";
    };
    passAt("3/5/2000 9:05:07");
    actions.duringPlay = nullptr;
    EXPECT_EQ(actions.events, (Strings{"fired Backup", "play Backup.kyr"}));
    EXPECT_EQ(state(0), (Strings{"3/06/2000", "2", "True"}));
    EXPECT_TRUE(fileHoldsTheList());

    const int writes = files.writes;
    passAt("3/5/2000 9:05:08");
    EXPECT_EQ(state(0), (Strings{"3/06/2000", "2", "False"}));
    EXPECT_EQ(files.writes, writes + 1);
    EXPECT_TRUE(fileHoldsTheList());
    passAt("3/5/2000 9:05:09");
    passAt("3/5/2000 9:05:59", 999);
    EXPECT_EQ(files.writes, writes + 1) << "passes with nothing to do write nothing";
    EXPECT_EQ(played().size(), 1u);

    passAt("3/6/2000 9:05:07");
    EXPECT_EQ(played().size(), 2u);
    EXPECT_EQ(state(0), (Strings{"3/07/2000", "3", "True"}));
}

TEST_F(SchedulePassTest, AWeeklyEntryFiresOnlyOnItsWeekdayAndRunDate) {
    add("Sunday", "W", "3/5/2000", "9:05:07", "1");
    add("Monday", "W", "3/5/2000", "9:05:07", "2");
    add("NextWeek", "W", "3/12/2000", "9:05:07", "1");
    add("NoDay", "W", "3/5/2000", "9:05:07", "");
    passAt("3/5/2000 9:05:07");
    EXPECT_EQ(played(), (Strings{"Sunday.kyr"}));
    EXPECT_EQ(state(0), (Strings{"3/12/2000", "1", "True"}));
    passAt("3/5/2000 9:05:08");
    EXPECT_EQ(state(0), (Strings{"3/12/2000", "1", "False"}));

    passAt("3/12/2000 9:05:10");
    EXPECT_EQ(played(), (Strings{"Sunday.kyr", "Sunday.kyr", "NextWeek.kyr"}));
    EXPECT_EQ(state(2), (Strings{"3/19/2000", "1", "True"}));
}

TEST_F(SchedulePassTest, AOnceEntryFiresWithinItsMinuteAndIsGoneBeforeItPlays) {
    add("Report", "O", "3/5/2000", "14:30:00");
    add("Keep", "D", "3/6/2000", "8:00:00");
    actions.duringPlay = [&](const std::string&) {
        EXPECT_EQ(list.rowCount(), 1u);
        EXPECT_TRUE(fileHoldsTheList()) << "removed and saved before it plays";
    };
    passAt("3/5/2000 14:29:59", 999);
    EXPECT_TRUE(played().empty());
    passAt("3/5/2000 14:30:41");
    EXPECT_EQ(played(), (Strings{"Report.kyr"}));
    passAt("3/5/2000 14:30:42");
    EXPECT_EQ(played().size(), 1u);
}

TEST(SchedulePass, AOnceEntryWhoseMinuteWentByStaysUnfired) {
    const char* moments[] = {"3/5/2000 14:31:00", "3/6/2000 14:30:00", "3/4/2000 14:30:00"};
    for (const char* moment : moments) {
        Schedule schedule;
        schedule.add("Report", "O", "3/5/2000", "14:30:00");
        schedule.passAt(moment);
        EXPECT_TRUE(schedule.played().empty()) << moment;
        EXPECT_EQ(schedule.list.rowCount(), 1u) << moment;
        EXPECT_EQ(schedule.files.writes, 0) << moment;
    }
}

TEST_F(SchedulePassTest, NothingWrapsAcrossMidnight) {
    add("Midnight", "D", "3/5/2000", "0:00:00");
    add("LateEvening", "D", "3/5/2000", "23:59:30");
    passAt("3/4/2000 23:59:59", 999);
    EXPECT_TRUE(played().empty());
    passAt("3/5/2000 0:00:00");
    EXPECT_EQ(played(), (Strings{"Midnight.kyr"}));
    passAt("3/5/2000 23:59:29");
    passAt("3/5/2000 23:59:59", 999);
    EXPECT_EQ(played(), (Strings{"Midnight.kyr", "LateEvening.kyr"}));
    passAt("3/6/2000 0:00:00");
    EXPECT_EQ(played(), (Strings{"Midnight.kyr", "LateEvening.kyr", "Midnight.kyr"}));
    EXPECT_EQ(state(1), (Strings{"3/06/2000", "2", "True"}));

    // The flag left from yesterday's run does not delay today's.
    passAt("3/6/2000 23:59:30");
    EXPECT_EQ(played().back(), "LateEvening.kyr");
    EXPECT_EQ(state(1), (Strings{"3/07/2000", "3", "True"}));
}

TEST_F(SchedulePassTest, ARowRemovedByAPassLeavesTheNextRowToTheNextPass) {
    add("Once", "O", "3/5/2000", "9:05:07");
    add("Daily", "D", "3/5/2000", "9:05:07");
    add("Other", "D", "3/5/2000", "9:05:07");
    passAt("3/5/2000 9:05:07");
    EXPECT_EQ(played(), (Strings{"Once.kyr", "Other.kyr"}))
        << "Daily moved up to the index the pass had just checked";
    passAt("3/5/2000 9:05:07", 1);
    EXPECT_EQ(played(), (Strings{"Once.kyr", "Other.kyr", "Daily.kyr"}));
}

TEST_F(SchedulePassTest, ARowThatCannotBeReadIsSkippedAndThePassGoesOn) {
    add("BadDate", "D", "2/30/2000", "9:05:07");
    add("BadFlag", "D", "3/5/2000", "9:05:07", "1", "maybe");
    add("BadTime", "D", "3/5/2000", "9:05");
    add("BadOnce", "O", "3/5/2000", "9:05:07", "1", "");
    add("NoFreq", "", "3/5/2000", "9:05:07");
    add("Good", "D", "3/5/2000", "9:05:07");
    passAt("3/5/2000 9:05:07");
    EXPECT_EQ(played(), (Strings{"Good.kyr"}));
    EXPECT_EQ(state(0), (Strings{"2/30/2000", "1", "False"}));
    EXPECT_EQ(state(1), (Strings{"3/5/2000", "1", "maybe"}));
    EXPECT_EQ(list.rowCount(), 6u);
}

TEST_F(SchedulePassTest, AMissedDailyOrWeeklyRunMovesOnWithoutPlaying) {
    add("Stale", "D", "3/1/2000", "9:05:07", "4", "True");
    add("Late", "D", "3/5/2000", "9:05:07", "1");
    add("Weekly", "W", "2/6/2000", "9:05:07", "1");
    add("Once", "O", "3/1/2000", "9:05:07");
    passAt("3/5/2000 10:00:00");
    EXPECT_TRUE(played().empty());
    EXPECT_EQ(state(0), (Strings{"3/06/2000", "2", "False"}));
    EXPECT_EQ(state(1), (Strings{"3/06/2000", "2", "False"}));
    EXPECT_EQ(state(2), (Strings{"3/12/2000", "1", "False"})) << "whole weeks, weekday kept";
    EXPECT_EQ(state(3), (Strings{"3/1/2000", "1", "False"})) << "once entries stay";
    EXPECT_TRUE(fileHoldsTheList());

    passAt("3/6/2000 9:05:07");
    EXPECT_EQ(played(), (Strings{"Stale.kyr", "Late.kyr"}));
}

TEST_F(SchedulePassTest, ARunWhoseMinuteHasNotGoneByIsStillFiredAfterMovingOn) {
    add("Daily", "D", "3/1/2000", "9:05:07", "4");
    add("Weekly", "W", "2/6/2000", "9:05:07", "1");
    passAt("3/5/2000 9:05:30");
    EXPECT_EQ(played(), (Strings{"Daily.kyr", "Weekly.kyr"}));
    EXPECT_EQ(state(0), (Strings{"3/06/2000", "2", "True"}));
    EXPECT_EQ(state(1), (Strings{"3/12/2000", "1", "True"}));
}

TEST_F(SchedulePassTest, ARunTimeOnSecondFiftyNineFiresEveryDay) {
    add("Edge", "D", "3/5/2000", "9:05:59", "1");
    for (const char* day : {"3/5/2000", "3/6/2000", "3/7/2000"}) {
        for (const char* time : {" 9:05:58", " 9:05:59", " 9:06:00", " 12:00:00"}) {
            passAt(std::string(day) + time);
        }
    }
    EXPECT_EQ(played().size(), 3u);
    EXPECT_EQ(state(0), (Strings{"3/08/2000", "4", "True"}));
}

TEST_F(SchedulePassTest, FailedSavesAreReportedAndThePassGoesOn) {
    add("Daily", "D", "3/5/2000", "9:05:07");
    add("Once", "O", "3/5/2000", "9:05:07");
    database.saveSchedule(list);
    const std::string before = file();
    files.unwritable.insert(database.path());
    passAt("3/5/2000 9:05:07");
    EXPECT_EQ(actions.events, (Strings{"fired Daily", "play Daily.kyr", "not saved", "not saved",
                                       "fired Once", "play Once.kyr"}));
    EXPECT_EQ(file(), before) << "the old file is intact";
    EXPECT_EQ(state(0), (Strings{"3/06/2000", "2", "True"})) << "the list keeps the change";

    files.unwritable.clear();
    passAt("3/5/2000 9:05:08");
    EXPECT_TRUE(fileHoldsTheList());
}

TEST_F(SchedulePassTest, PassesDuringAPlayNeverFireTheSameRunAgain) {
    add("Backup", "D", "3/5/2000", "9:05:07");
    actions.duringPlay = [&](const std::string& path) {
        if (path != "Backup.kyr")
            return;
        passAt("3/5/2000 9:05:07", 500);
        passAt("3/5/2000 9:07:00");
        passAt("3/5/2000 9:08:00");
    };
    passAt("3/5/2000 9:05:07");
    EXPECT_EQ(played(), (Strings{"Backup.kyr"}));
    EXPECT_EQ(state(0), (Strings{"3/06/2000", "2", "True"}));
    EXPECT_TRUE(fileHoldsTheList());
}

TEST_F(SchedulePassTest, TheAdvanceAfterAPlayFindsItsRowWhereverItMoved) {
    add("Soon", "O", "3/5/2000", "9:06:00");
    add("Backup", "D", "3/5/2000", "9:05:07");
    add("Later", "D", "3/9/2000", "9:05:07", "5");
    actions.duringPlay = [&](const std::string& path) {
        if (path == "Backup.kyr")
            passAt("3/5/2000 9:06:00");
    };
    passAt("3/5/2000 9:05:07");
    EXPECT_EQ(played(), (Strings{"Backup.kyr", "Soon.kyr"}));
    ASSERT_EQ(list.rowCount(), 2u);
    EXPECT_EQ(list.entry(0).descr, "Backup");
    EXPECT_EQ(state(0), (Strings{"3/06/2000", "2", "True"}));
    EXPECT_EQ(state(1), (Strings{"3/9/2000", "5", "False"}));
    EXPECT_TRUE(fileHoldsTheList());
}

TEST_F(SchedulePassTest, ARowDeletedWhileItPlaysIsNotAdvanced) {
    add("Backup", "D", "3/5/2000", "9:05:07");
    add("Other", "D", "3/9/2000", "9:05:07", "5");
    actions.duringPlay = [&](const std::string&) {
        list.removeRow(0);
        database.saveSchedule(list);
    };
    passAt("3/5/2000 9:05:07");
    ASSERT_EQ(list.rowCount(), 1u);
    EXPECT_EQ(state(0), (Strings{"3/9/2000", "5", "False"}));
    EXPECT_TRUE(fileHoldsTheList());
}

}  // namespace
}  // namespace keyreel
