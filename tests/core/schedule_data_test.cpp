// The schedule: entry texts, the list, the database file and the pass. 3/5/2000 is a Sunday.

#include <gtest/gtest.h>

#include "core/base/memory_file_store.h"
#include "core/schedule/schedule_database.h"
#include "core/schedule/schedule_list.h"
#include "core/schedule/schedule_pass.h"
#include "scheduler_fixture.h"

namespace keyreel {
namespace {

using namespace std::chrono;

TEST(ScheduleEntryTexts, DatesTimesWeekdaysAndFlagsReadAsWritten) {
    for (const char* same : {"3/5/2000", "03/05/2000", " 3/5/2000 "})
        EXPECT_EQ(parseRunDate(same), Date(year(2000) / 3 / 5)) << same;
    for (const char* bad : {"3/5", "3/5/00", "13/1/2000", "2/30/2000", "2/29/1900", "3/5/2000x"})
        EXPECT_FALSE(parseRunDate(bad)) << bad;
    EXPECT_EQ(runDateText(Date(year(2000) / 12 / 25)), "12/25/2000");
    EXPECT_EQ(weekdayNumber(Date(year(2000) / 3 / 11)), 7);
    EXPECT_EQ(weekdayNumber(Date(year(1969) / 12 / 31)), 4) << "before 1970 too";
    using Number = std::pair<const char*, std::optional<int>>;
    for (const auto& [text, number] : {Number{" 7 ", 7}, {"0", {}}, {"8", {}}, {"2.5", {}}})
        EXPECT_EQ(parseWeekdayNumber(text), number) << text;
    EXPECT_EQ(runTimeText(9, 5, 7), "9:05:07");
    const Number times[] = {{"09:05:07", 32707}, {"23:59:59", 86399}, {"24:00:00", {}},
                            {"9:60:00", {}},     {"9:05:60", {}},     {"9:05", {}},
                            {"9:05:07 PM", {}}};
    for (const auto& [text, seconds] : times)
        EXPECT_EQ(parseRunTime(text), seconds) << text;
    const std::pair<const char*, std::optional<bool>> flags[] = {
        {"True", true}, {"TRUE", true}, {"0", false}, {"-1", true},
        {"0.0", false}, {"", {}},       {"Tru", {}},  {"1x", {}}};
    for (const auto& [text, flag] : flags)
        EXPECT_EQ(parseRunningFlag(text), flag) << text;
    EXPECT_EQ(frequencyOf("d"), Frequency::Never) << "only upper-case codes are due";
}

std::string add(ScheduleList& list, const std::string& descr) {
    const std::size_t row =
        list.addEntryRow(descr, "9:05:07", "3/5/2000", "D", "C:\\M\\A.KYR", "1", "False", "");
    return list.entry(row).descr;
}

TEST(ScheduleList, ARepeatedDescriptionGetsTheNewRowsNumber) {
    ScheduleList list;
    EXPECT_EQ(add(list, "Backup"), "Backup");
    EXPECT_EQ(add(list, "Report"), "Report");
    EXPECT_EQ(add(list, "Backup"), "Backup(3)");
    EXPECT_EQ(add(list, "Backup(3)"), "Backup(3)(4)");
    EXPECT_EQ(add(list, "Backup"), "Backup(5)") << "a numbered description never repeats";
    // Only the descriptions rows were added with count, of rows still there.
    ASSERT_TRUE(list.setCell(1, ScheduleColumn::Description, "Renamed"));
    EXPECT_EQ(add(list, "Report"), "Report(6)");
    ASSERT_TRUE(list.removeRow(1));
    EXPECT_EQ(add(list, "Report"), "Report");
}

const ScheduleEntry kBackup{"Backup", "9:05:07", "3/5/2000", "1", "D", "C:\\M\\B.KYR", "False", ""};
constexpr const char* kBackupRecord =
    "\"Backup\",\"9:05:07\",\"3/5/2000\",\"1\",\"D\",\"C:\\M\\B.KYR\",\"False\",\"\"\r\n";

TEST(ScheduleDatabase, EachRowIsOneLineOfEightQuotedFieldsAndReadsBack) {
    MemoryFileStore files;
    ScheduleDatabase database{files, "macro.kdb"};
    ScheduleList list;
    list.addLoadedRow(kBackup);
    list.addLoadedRow({"Report, \"weekly\"", "14:30:00", "3/06/2000", "2", "W", "C:\\A,B\\X.KYR",
                       "True", "first\r\nsecond\r\n"});
    list.addLoadedRow({"Caf\xC3\xA9", "0:00:00", "1/1/2001", "2", "O", "", "False", ""});
    ASSERT_EQ(database.saveSchedule(list), ScheduleSaveResult::Saved);
    EXPECT_EQ(files.files["macro.kdb"],
              std::string(kBackupRecord) +
                  "\"Report, 'weekly'\",\"14:30:00\",\"3/06/2000\",\"2\",\"W\","
                  "\"C:\\A,B\\X.KYR\",\"True\",\"first\r\nsecond\r\n\"\r\n"
                  "\"Caf\xE9\",\"0:00:00\",\"1/1/2001\",\"2\",\"O\",\"\",\"False\",\"\"\r\n")
        << "a double quote becomes a single one; text in the code page";
    ScheduleList read;
    EXPECT_EQ(database.loadSchedule(read).status, ScheduleLoadStatus::Loaded);
    EXPECT_EQ(read.entry(2).descr, "Caf\xC3\xA9");
}

TEST(ScheduleFileReading, FieldsAreReadAsTheFormatAllowsUpToARecordThatCannotBeRead) {
    const ScheduleText read = parseScheduleText(
        "  \"A\" ,  9:05:07  ,\"3/5/2000\"junk,1,D\r\n"  // a record across lines
        "\"C:\\X.KYR\",False,\"n, with comma\"\n"        // LF alone ends a line
        "\r\n"
        "\"B\",\"1:00:00\",\"1/1/2000\",\"7\",\"W\",\"p\",\"True\",\"\"");  // no final line end
    ASSERT_TRUE(read.complete);
    EXPECT_EQ(read.entries,
              (std::vector<ScheduleEntry>{
                  {"A", "9:05:07", "3/5/2000", "1", "D", "C:\\X.KYR", "False", "n, with comma"},
                  {"B", "1:00:00", "1/1/2000", "7", "W", "p", "True", ""}}));
    const std::string good(kBackupRecord);
    const std::string seven = "\"A\",\"1\",\"2\",\"3\",\"4\",\"5\",\"6\",";
    const std::pair<std::string, std::size_t> cases[] = {
        {good + seven + "\"two\r\nlines\"\r\n\"A\",\"9:05:07\"\r\n", 4},  // too few at the end
        {good + "\"A\",\"9:05:07\r\n" + good, 2},  // a quote that takes in the next line
        {good + seven + "\"never closed", 2},
        {good + seven + "\"7\",\"8\"\r\n" + good, 2},  // a ninth field
        {good + seven, 2},                             // nothing after a comma
    };
    for (const auto& [text, line] : cases) {
        const ScheduleText partial = parseScheduleText(text);
        EXPECT_FALSE(partial.complete) << text;
        EXPECT_EQ(partial.stoppedAtLine, line) << text;
        EXPECT_EQ(partial.entries.at(0), kBackup) << text;
    }
}

TEST(ScheduleDatabase, ADatabaseNotReadWholeIsKeptBeforeTheFirstSaveAndAMissingOneIsCreated) {
    enum class Kind { Partial, Unreadable, TooLarge };
    for (const Kind kind : {Kind::Partial, Kind::Unreadable, Kind::TooLarge}) {
        SCOPED_TRACE(int(kind));
        MemoryFileStore store;
        ScheduleDatabase db(store, "macro.kdb", defaultCodePage(),
                            kind == Kind::TooLarge ? 10 : 1000);
        const std::string original = std::string(kBackupRecord) + "\"A\",\"B\r\n" + kBackupRecord;
        store.files["macro.kdb"] = original;
        if (kind == Kind::Unreadable)
            store.unreadable.insert("macro.kdb");
        ScheduleList loaded;
        EXPECT_NE(db.openSchedule(loaded).status, ScheduleLoadStatus::Loaded);
        EXPECT_EQ(scheduleText(loaded), kind == Kind::Partial ? kBackupRecord : "");
        store.unreadable.clear();
        ASSERT_EQ(db.saveSchedule(loaded), ScheduleSaveResult::Saved);
        EXPECT_EQ(store.files[db.backupPath()], original);
        store.files[db.backupPath()] = "kept";
        ASSERT_EQ(db.saveSchedule(loaded), ScheduleSaveResult::Saved);
        EXPECT_EQ(store.files[db.backupPath()], "kept") << "only the first save keeps it";
        EXPECT_EQ(store.reads, kind == Kind::TooLarge ? 0 : 1) << "too large: never read";
    }
    MemoryFileStore store;
    ScheduleDatabase database{store, "macro.kdb"};
    ScheduleList list;
    EXPECT_EQ(database.openSchedule(list).status, ScheduleLoadStatus::Created);
    EXPECT_EQ(store.files.at("macro.kdb"), "");
}

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
        // Nothing wraps across midnight.
        {"D", "1", "0:00:00", "3/5/2000 0:00:59", 999, true},
        {"D", "1", "23:59:30", "3/6/2000 0:00:00", 0, false},
        // A once entry fires within its minute too, not only within its second.
        {"O", "1", "14:30:00", "3/5/2000 14:30:41", 0, true},
        {"O", "1", "14:30:00", "3/5/2000 14:31:00", 0, false},
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
