// The scheduler window's model: the clock labels and tick, the label
// buttons, closing, what is reported when and where, once entries across
// the window's unloading and macro files that cannot be read.

#include <gtest/gtest.h>

#include <algorithm>

#include "core/macro/macro_file.h"
#include "core/schedule/scheduler_texts.h"
#include "scheduler_fixture.h"

namespace keyreel {
namespace {

class SchedulerModelTest : public ::testing::Test, protected SchedulerParts {};

TEST(SchedulerClock, LabelsShowTheDateTimeAndWeekdayAndTheClockWakesAtTheNextSecond) {
    const std::tuple<const char*, int, ClockLabels, int> cases[] = {
        {"3/5/2000 9:05:07", 0, {"3/05/2000", "9:05:07", "Sunday"}, 1000},
        {"3/5/2000 9:05:07", 999, {"3/05/2000", "9:05:07", "Sunday"}, 1},
        {"12/31/1999 23:59:59", 500, {"12/31/1999", "23:59:59", "Friday"}, 500},
    };
    for (const auto& [text, millis, labels, toNext] : cases) {
        SimulatedClock clock;
        clock.set(moment(text, millis));
        EXPECT_EQ(clockLabels(clock.now()), labels) << text;
        EXPECT_EQ(millisToNextSecond(clock.now()), toNext) << text << " +" << millis;
    }
}

TEST_F(SchedulerModelTest, EachTickRunsOnePassAndGivesTheLabelsAfterIt) {
    database() = record("Daily", "D", "3/5/2000", "9:05:07");
    loadWindow();
    setClock("3/5/2000 9:05:06", 750);
    EXPECT_EQ(scheduler->millisToNextTick(), 250);
    // The play takes three seconds; the labels show the time the pass ended.
    duringPlay = [&](const std::string&) { clock.advanceMillis(3000); };
    EXPECT_EQ(tickAt("3/5/2000 9:05:07").time, "9:05:10");
    EXPECT_EQ(played, Strings{"Daily.kyr"});
    EXPECT_EQ(rows(), Strings{"Daily 9:05:07 3/06/2000 2 D"});
}

TEST_F(SchedulerModelTest, ClosingWithUnsavedChangesAsksAndAFailedSaveKeepsTheWindowOpen) {
    database() = record("A", "D", "3/9/2000", "9:00:00", "5");
    loadWindow();
    EXPECT_FALSE(scheduler->closeQuestion());
    CellEdit edit = scheduler->openCellEditor(0, 0).value();
    edit.text = "Renamed";
    scheduler->updateTheSchedule(edit);
    const auto question = scheduler->closeQuestion();
    ASSERT_TRUE(question);
    EXPECT_EQ(question->text, "Changes to the schedule have not been saved. Save them?");
    EXPECT_EQ(question->buttons, MessageButtons::YesNoCancel);
    EXPECT_FALSE(scheduler->answerClose(MessageAnswer::Cancel));
    files.unwritable.insert(kDatabase);
    EXPECT_FALSE(scheduler->answerClose(MessageAnswer::Yes));
    showReports();
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_TRUE(scheduler->answerClose(MessageAnswer::No));
    files.unwritable.clear();
    EXPECT_TRUE(scheduler->answerClose(MessageAnswer::Yes));
    EXPECT_TRUE(database().starts_with("\"Renamed\",")) << database();
}

TEST_F(SchedulerModelTest, WhatALoadCouldNotReadIsReportedOnceNamingTheBackup) {
    const std::string bak = "C:\\Keyreel\\macro.kdb.bak";
    struct Case {
        std::function<void(MemoryFileStore&)> prepare;
        const char* says;  // empty: nothing is reported
    };
    const Case cases[] = {
        {[](MemoryFileStore& f) { f.files[kDatabase] = record("A", "D", "3/9/2000", "9:00:00"); },
         ""},
        {[](MemoryFileStore& f) {
             f.files[kDatabase] = record("A", "D", "3/9/2000", "9:00:00") +
                                  record("B", "D", "3/9/2000", "9:00:00") + "\"C\",\"9:00";
         },
         "Only 2 entries of the schedule C:\\Keyreel\\macro.kdb could be read: the record on "
         "line 3 cannot be read"},
        {[](MemoryFileStore& f) {
             f.files[kDatabase] = "x";
             f.unreadable.insert(kDatabase);
         },
         "could not be read, so the list starts empty"},
        {[](MemoryFileStore& f) { f.unwritable.insert(kDatabase); }, "none could be made"},
    };
    for (const Case& c : cases) {
        SchedulerParts parts;
        c.prepare(parts.files);
        parts.loadWindow();
        parts.showReports();
        const std::string says = c.says;
        ASSERT_EQ(parts.shown.size(), says.empty() ? 0u : 1u) << says;
        if (says.empty())
            continue;
        const std::string& text = parts.shown[0].text;
        EXPECT_NE(text.find(says), std::string::npos) << text;
        EXPECT_EQ(text.find(bak) != std::string::npos, says.find("none") == std::string::npos)
            << text;
    }
}

TEST_F(SchedulerModelTest, FailedSavesOfThePassAreReportedOncePerEpisodeAndTheListKeepsItsState) {
    database() =
        record("Early", "D", "3/5/2000", "9:05:07") + record("Late", "D", "3/5/2000", "9:10:00");
    loadWindow();
    files.unwritable.insert(kDatabase);
    tickAt("3/5/2000 9:05:07");  // fires and advances: the save fails
    tickAt("3/5/2000 9:05:08");  // the reset fails to save too
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].text.find("could not be saved to C:\\Keyreel\\macro.kdb"),
              std::string::npos);
    EXPECT_EQ(rows()[0], "Early 9:05:07 3/06/2000 2 D");
    EXPECT_EQ(scheduler->list().entry(0).running, "False");

    // A save the user asks for is answered every time, and Save/Update stays.
    EXPECT_FALSE(scheduler->press(SchedulerButton::SaveUpdate, std::nullopt).hideScheduler);
    showReports();
    EXPECT_EQ(shown.size(), 2u);

    files.unwritable.clear();
    tickAt("3/5/2000 9:10:00");  // "Late" fires; this save succeeds and ends the episode
    EXPECT_EQ(database(), scheduleText(scheduler->list()));
    files.unwritable.insert(kDatabase);
    tickAt("3/5/2000 9:10:01");
    EXPECT_EQ(shown.size(), 3u);
    EXPECT_TRUE(scheduler->closeQuestion()) << "the list holds what the file lacks";
}

TEST_F(SchedulerModelTest, AOnceEntryFiresOnlyOnceInARunEvenWhenItsRemovalWasNotSaved) {
    database() = record("Once", "O", "3/5/2000", "9:05:07") +
                 record("Keep", "D", "3/9/2000", "9:00:00", "5");
    loadWindow();
    files.unwritable.insert(kDatabase);
    tickAt("3/5/2000 9:05:07");
    EXPECT_EQ(played, Strings{"Once.kyr"});

    // The window is closed and loaded again within the entry's minute; the
    // file still holds it.
    loadWindow();
    EXPECT_EQ(rows(), Strings{"Keep 9:00:00 3/9/2000 5 D"});
    tickAt("3/5/2000 9:05:30");
    EXPECT_EQ(played, Strings{"Once.kyr"});

    files.unwritable.clear();
    scheduler->press(SchedulerButton::SaveUpdate, std::nullopt);
    EXPECT_TRUE(firedOnce.empty()) << "the file no longer holds it";
    database() += record("Once", "O", "3/5/2000", "9:06:00");
    loadWindow();
    tickAt("3/5/2000 9:06:00");
    EXPECT_EQ(played, (Strings{"Once.kyr", "Once.kyr"})) << "a new entry fires as usual";
    EXPECT_TRUE(firedOnce.empty()) << "its removal was saved";
}

// A file from the internet is never played unattended, whoever else might.
TEST_F(SchedulerModelTest, AnEntryWhoseFileCannotBeReadOrIsDownloadedIsKeptOrMovedOnAndToldOnce) {
    database() =
        record("Once", "O", "3/5/2000", "9:05:07") + record("Daily", "D", "3/5/2000", "9:05:07") +
        record("Good", "D", "3/5/2000", "9:05:07") + record("Fetched", "O", "3/5/2000", "9:05:07");
    unreadable = {"Once.kyr", "Daily.kyr"};
    downloaded = {"Fetched.kyr"};
    loadWindow();
    tickAt("3/5/2000 9:05:07");
    EXPECT_EQ(played, Strings{"Good.kyr"}) << "the schedule goes on";
    EXPECT_EQ(rows(), (Strings{"Once 9:05:07 3/5/2000 1 O", "Daily 9:05:07 3/06/2000 2 D",
                               "Good 9:05:07 3/06/2000 2 D", "Fetched 9:05:07 3/5/2000 1 O"}));
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_NE(shown[2].text.find("\"Fetched\" did not play and stays"), std::string::npos);
    EXPECT_NE(shown[0].text.find("\"Once\" did not play and stays"), std::string::npos);
    EXPECT_NE(shown[1].text.find("its next run is on 3/06/2000."), std::string::npos);

    // Tried again in the rest of the minute, after the window was loaded
    // again, and the next day: told no more.
    tickAt("3/5/2000 9:05:30");
    loadWindow();
    tickAt("3/5/2000 9:05:40");
    tickAt("3/6/2000 9:05:07");
    EXPECT_EQ(shown.size(), 3u);
    EXPECT_EQ(rows(), (Strings{"Once 9:05:07 3/5/2000 1 O", "Daily 9:05:07 3/07/2000 3 D",
                               "Good 9:05:07 3/07/2000 3 D", "Fetched 9:05:07 3/5/2000 1 O"}));
}

}  // namespace
}  // namespace keyreel
