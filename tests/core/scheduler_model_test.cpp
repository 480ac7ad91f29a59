// The scheduler window's model: ticks, closing, reports, editing and "Schedule It".

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/base/product_texts.h"
#include "core/macro/macro_file.h"
#include "core/schedule/scheduler_texts.h"
#include "scheduler_fixture.h"

namespace keyreel {
namespace {

using testing::AllOf;
using testing::HasSubstr;

class SchedulerModelTest : public ::testing::Test, protected SchedulerParts {
  protected:
    void open(const std::string& records) {
        database() = records;
        loadWindow();
    }
    CellEdit edit(std::size_t row, ScheduleColumn column) {
        setClock("3/5/2000 9:05:07");
        return scheduler->openCellEditor(row, static_cast<std::size_t>(column)).value();
    }
    CellUpdate modify(std::size_t row, ScheduleColumn column,
                      const std::function<void(CellEdit&)>& change) {
        CellEdit editor = edit(row, column);
        change(editor);
        return scheduler->updateTheSchedule(editor);
    }
};

const auto setText = [](const char* text) { return [=](CellEdit& e) { e.text = text; }; };

TEST(SchedulerClock, LabelsShowTheDateTimeAndWeekdayAndTheClockWakesAtTheNextSecond) {
    EXPECT_EQ(clockLabels(moment("12/31/1999 23:59:59", 999)),
              (ClockLabels{"12/31/1999", "23:59:59", "Friday"}));
    EXPECT_EQ(clockLabels(moment("3/5/2000 9:05:07")).date, "3/05/2000");
    EXPECT_EQ(millisToNextSecond(moment("12/31/1999 23:59:59", 999)), 1);
}

TEST_F(SchedulerModelTest, EachTickRunsOnePassAndGivesTheLabelsAfterIt) {
    open(record("Daily", "D", "3/5/2000", "9:05:07"));
    setClock("3/5/2000 9:05:06", 750);
    EXPECT_EQ(scheduler->millisToNextTick(), 250);
    duringPlay = [&](const std::string&) { clock.advanceMillis(3000); };
    EXPECT_EQ(tickAt("3/5/2000 9:05:07").time, "9:05:10") << "the time the pass ended";
    EXPECT_EQ(rows(), Strings{"Daily 9:05:07 3/06/2000 2 D"});
}

TEST_F(SchedulerModelTest, ClosingWithUnsavedChangesAsksAndAFailedSaveKeepsTheWindowOpen) {
    open(record("A", "D", "3/9/2000", "9:00:00", "5"));
    EXPECT_FALSE(scheduler->closeQuestion());
    const std::string saved = database();
    modify(0, ScheduleColumn::Description, setText("Renamed"));
    EXPECT_EQ(database(), saved) << "written by a save only";
    EXPECT_EQ(scheduler->closeQuestion().value().buttons, MessageButtons::YesNoCancel);
    EXPECT_FALSE(scheduler->answerClose(MessageAnswer::Cancel));
    files.unwritable.insert(kDatabase);
    EXPECT_FALSE(scheduler->answerClose(MessageAnswer::Yes));
    showReports();
    EXPECT_EQ(shown.size(), 1u) << "the failure is told";
    EXPECT_TRUE(scheduler->answerClose(MessageAnswer::No));
    files.unwritable.clear();
    EXPECT_TRUE(scheduler->answerClose(MessageAnswer::Yes));
    EXPECT_TRUE(database().starts_with("\"Renamed\",")) << database();
}

TEST(SchedulerModel, WhatALoadCouldNotReadIsReportedOnceNamingTheBackup) {
    SchedulerParts partial, unwritable;
    partial.database() = record("A", "D", "3/9/2000", "9:00:00") +
                         record("B", "D", "3/9/2000", "9:00:00") + "\"C\",\"9:00";
    unwritable.files.unwritable.insert(SchedulerParts::kDatabase);
    for (SchedulerParts* parts : {&partial, &unwritable}) {
        parts->loadWindow();
        parts->showReports();
        ASSERT_EQ(parts->shown.size(), 1u);
    }
    EXPECT_THAT(partial.shown[0].text,
                AllOf(HasSubstr("Only 2 entries of the schedule C:\\Keyreel\\macro.kdb could be "
                                "read: the record on line 3 cannot be read"),
                      HasSubstr("C:\\Keyreel\\macro.kdb.bak.")));
    EXPECT_THAT(unwritable.shown[0].text, HasSubstr("none could be made"));
}

TEST_F(SchedulerModelTest, FailedSavesOfThePassAreReportedOncePerEpisodeAndTheListKeepsItsState) {
    open(record("Early", "D", "3/5/2000", "9:05:07") + record("Late", "D", "3/5/2000", "9:10:00"));
    files.unwritable.insert(kDatabase);
    tickAt("3/5/2000 9:05:07");  // fires and advances: the save fails
    tickAt("3/5/2000 9:05:08");  // so does the reset's
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_THAT(shown[0].text, HasSubstr("could not be saved to C:\\Keyreel\\macro.kdb"));
    EXPECT_EQ(rows()[0], "Early 9:05:07 3/06/2000 2 D");
    EXPECT_EQ(scheduler->list().entry(0).running, "False");

    files.unwritable.clear();
    tickAt("3/5/2000 9:10:00");  // a save that succeeds ends the episode
    EXPECT_EQ(database(), scheduleText(scheduler->list()));
    files.unwritable.insert(kDatabase);
    tickAt("3/5/2000 9:10:01");
    EXPECT_EQ(shown.size(), 2u);
    EXPECT_TRUE(scheduler->closeQuestion()) << "the list holds what the file lacks";
}

TEST_F(SchedulerModelTest, AOnceEntryFiresOnlyOnceInARunEvenWhenItsRemovalWasNotSaved) {
    open(record("Once", "O", "3/5/2000", "9:05:07") +
         record("Keep", "D", "3/9/2000", "9:00:00", "5"));
    files.unwritable.insert(kDatabase);
    tickAt("3/5/2000 9:05:07");
    loadWindow();  // within the entry's minute, the file still holding it
    EXPECT_EQ(rows(), Strings{"Keep 9:00:00 3/9/2000 5 D"});
    tickAt("3/5/2000 9:05:30");
    EXPECT_EQ(played, Strings{"Once.kyr"});
    files.unwritable.clear();
    scheduler->press(SchedulerButton::SaveUpdate, std::nullopt);
    EXPECT_TRUE(firedOnce.empty()) << "the file no longer holds it";
}

// A downloaded file is never played unattended.
TEST_F(SchedulerModelTest, AnEntryWhoseFileCannotBeReadOrIsDownloadedIsKeptOrMovedOnAndToldOnce) {
    database() =
        record("Once", "O", "3/5/2000", "9:05:07") + record("Daily", "D", "3/5/2000", "9:05:07") +
        record("Good", "D", "3/5/2000", "9:05:07") + record("Fetched", "O", "3/5/2000", "9:05:07");
    unreadable = {"Once.kyr", "Daily.kyr"};
    downloaded = {"Fetched.kyr"};
    loadWindow();
    tickAt("3/5/2000 9:05:07");
    EXPECT_EQ(played, Strings{"Good.kyr"}) << "the schedule goes on";
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_THAT(shown[0].text, HasSubstr("\"Once\" did not play and stays"));
    EXPECT_THAT(shown[1].text, HasSubstr("its next run is on 3/06/2000."));
    EXPECT_THAT(shown[2].text, HasSubstr("\"Fetched\" did not play and stays"));
    // Tried again in the minute, after a reload and the next day: told no more.
    tickAt("3/5/2000 9:05:30");
    loadWindow();
    tickAt("3/5/2000 9:05:40");
    tickAt("3/6/2000 9:05:07");
    EXPECT_EQ(shown.size(), 3u);
    EXPECT_EQ(rows(), (Strings{"Once 9:05:07 3/5/2000 1 O", "Daily 9:05:07 3/07/2000 3 D",
                               "Good 9:05:07 3/07/2000 3 D", "Fetched 9:05:07 3/5/2000 1 O"}));
}

TEST_F(SchedulerModelTest, EachColumnOpensItsEditorAtItsValueAndModifyWritesThatCellOnly) {
    const auto setTime = [](CellEdit& e) { e.picker.hour = 7, e.picker.minute = 3; };
    const auto setDate = [](CellEdit& e) { e.picker.year = 2001, e.picker.month = 12; };
    using Kind = CellEditorKind;
    using C = ScheduleColumn;
    // The column, its editor, the value it starts at, the change, what Modify writes.
    const std::tuple<C, Kind, const char*, std::function<void(CellEdit&)>, const char*> cases[] = {
        {C::Description, Kind::TextBox, "Backup", setText("Nightly"), "Nightly"},
        {C::RunTime, Kind::TimePicker, "9:00:00", setTime, "7:03:00"},
        {C::RunDate, Kind::DatePicker, "3/9/2000", setDate, "12/9/2001"},
        {C::Day, Kind::ChoiceList, "5", setText("7 - Saturday"), "7"},
        {C::Freq, Kind::ChoiceList, "D", setText("Weekly - W"), "W"},
        {C::Freq, Kind::ChoiceList, "D", [](CellEdit& e) { e.keyInChoiceList(); }, ""},
        {C::FilePath, Kind::TextBox, "Backup.kyr", setText("C:\\A,B\\x y "), "C:\\A,B\\x y "},
    };
    for (const auto& [column, kind, startsAt, change, cell] : cases) {
        SCOPED_TRACE(cell);
        open(record("Backup", "D", "3/9/2000", "9:00:00", "5", "two\r\nlines"));
        ScheduleEntry expected = scheduler->list().entry(0);
        CellEdit editor = edit(0, column);
        EXPECT_EQ(editor.editor, kind);
        EXPECT_EQ(editor.choices.empty(), kind != Kind::ChoiceList);
        EXPECT_EQ(editor.cellText(), startsAt);
        change(editor);
        const CellUpdate update = scheduler->updateTheSchedule(editor);
        EXPECT_TRUE(update.written && update.closeEditor && !update.message);
        fieldOf(expected, column) = cell;
        EXPECT_EQ(scheduler->list().entry(0), expected);
    }
    EXPECT_FALSE(scheduler->openCellEditor(std::nullopt, 0)) << "no row under the click";
    EXPECT_FALSE(scheduler->openCellEditor(1, 0)) << "below the last row";
    // Unreadable values: the pickers start now, the lists at their first item.
    open(record("Broken", "X", "2/30/2000", "9:5", "9"));
    EXPECT_EQ(edit(0, ScheduleColumn::RunTime).cellText(), "9:05:07");
    EXPECT_EQ(edit(0, ScheduleColumn::Freq).cellText(), "O");
}

TEST_F(SchedulerModelTest, ModifyFollowsItsRowWhenAPassMovesItAndWritesNothingWhenItIsGone) {
    open(record("Once", "O", "3/5/2000", "9:05:30") +
         record("Later", "D", "3/9/2000", "9:00:00", "5") +
         record("Soon", "O", "3/5/2000", "9:06:00"));
    CellEdit later = edit(1, ScheduleColumn::FilePath);
    CellEdit soon = edit(2, ScheduleColumn::Description);
    tickAt("3/5/2000 9:05:30");  // "Once" goes: "Later" moves up
    later.text = "C:\\M\\later.kyr";
    EXPECT_TRUE(scheduler->updateTheSchedule(later).written);
    EXPECT_EQ(scheduler->list().entry(0).path, "C:\\M\\later.kyr");

    tickAt("3/5/2000 9:06:00");  // "Soon" fires while its editor is open
    const std::string file = database();
    soon.text = "Renamed";
    const CellUpdate update = scheduler->updateTheSchedule(soon);
    EXPECT_FALSE(update.written);
    EXPECT_TRUE(update.closeEditor);
    EXPECT_THAT(update.message->text, HasSubstr("no longer in the schedule"));
    EXPECT_EQ(rows(), Strings{"Later 9:00:00 3/9/2000 5 D"});
    EXPECT_EQ(database(), file);
}

TEST_F(SchedulerModelTest, ADoubleQuoteIsRefusedBeforeAnythingIsAddedOrWritten) {
    open(record("Backup", "D", "3/9/2000", "9:00:00", "5"));
    for (const auto column : {ScheduleColumn::Description, ScheduleColumn::FilePath}) {
        const CellUpdate update = modify(0, column, setText("say \"hi\""));
        EXPECT_FALSE(update.written || update.closeEditor) << "the editor stays open";
        EXPECT_THAT(update.message->text, HasSubstr("double quote"));
    }
    EXPECT_FALSE(scheduler->closeQuestion()) << "nothing was changed";
    const int writes = files.writes;
    ScheduleEntryForm form = ScheduleEntryForm::loaded(moment("3/5/2000 9:05:07"));
    form.description = form.path = "typed";
    form.notes = "a \" b";
    form.frequency = 0;
    EXPECT_TRUE(scheduler->scheduleIt(form));
    EXPECT_EQ(form.notes, "a \" b") << "the fields stay as typed";
    EXPECT_EQ(scheduler->list().rowCount(), 1u);
    EXPECT_EQ(files.writes, writes);
}

TEST_F(SchedulerModelTest, ScheduleItAddsTheFormsEntrySavesAndEmptiesTheFields) {
    open(record("Report", "D", "3/9/2000", "9:00:00", "5") +
         record("Backup", "D", "3/9/2000", "9:00:00", "5"));
    ScheduleEntryForm form = ScheduleEntryForm::loaded(moment("3/5/2000 9:05:07"));
    form.when.day = 6;
    EXPECT_EQ(form.weekdayLabel(), "Monday");
    form.when.hour = 14, form.when.minute = 0, form.when.second = 0;
    form.description = "Backup";
    form.frequency = 2;
    form.browse(
        [](const FileDialogRequest&) { return std::optional<std::string>("C:\\M\\B.KYR"); });
    form.browse([](const FileDialogRequest&) { return std::optional<std::string>(); });
    form.notes = "two\r\nlines";
    EXPECT_FALSE(scheduler->scheduleIt(form));
    EXPECT_TRUE(
        database().ends_with("\"Backup(3)\",\"14:00:00\",\"3/6/2000\",\"2\",\"W\","
                             "\"C:\\M\\B.KYR\",\"False\",\"two\r\nlines\"\r\n"))
        << "saved at once; a cancelled browse keeps the path";
    EXPECT_TRUE(form.description.empty() && form.path.empty() && form.notes.empty());
    EXPECT_FALSE(form.frequency);
    EXPECT_EQ(form.when.hour, 14) << "the pickers keep their values";
}

TEST_F(SchedulerModelTest, AWeeklyEntryOffItsWeekdayIsMarkedAndTheModifyThatCausesItSaysSo) {
    open(record("Weekly", "W", "3/5/2000", "9:00:00", "1") +
         record("Daily", "D", "3/7/2000", "9:00:00", "1"));
    auto update = modify(0, ScheduleColumn::RunDate, [](CellEdit& e) { e.picker.day = 7; });
    ASSERT_TRUE(update.written && update.message);
    EXPECT_THAT(update.message->text, HasSubstr("3/7/2000 is a Tuesday, but its day is Sunday"));
    EXPECT_EQ(rows()[0], "Weekly 9:00:00 3/7/2000 1 ! W");
    EXPECT_FALSE(modify(0, ScheduleColumn::Day, setText("3 - Tuesday")).message);
    EXPECT_EQ(rows()[0], "Weekly 9:00:00 3/7/2000 3 W");
    EXPECT_EQ(rows()[1], "Daily 9:00:00 3/7/2000 1 D") << "only weekly entries need their day";
    EXPECT_TRUE(modify(1, ScheduleColumn::Freq, setText("Weekly - W")).message);
    EXPECT_EQ(rows()[1], "Daily 9:00:00 3/7/2000 1 ! W");
}

TEST_F(SchedulerModelTest, AOnceEntryWhoseMinuteHasGonePlaysNeverAndIsSaidSo) {
    open(record("Once", "O", "3/9/2000", "9:00:00", "5"));
    setClock("3/5/2000 9:05:07");
    // Day, minute and frequency of a form at 9 o'clock; whether it is refused.
    const std::tuple<int, int, std::size_t, bool> forms[] = {
        {5, 4, 0, true}, {5, 5, 0, false}, {4, 0, 1, false}};  // daily: moved on
    for (const auto& [day, minute, frequency, refused] : forms) {
        ScheduleEntryForm form = ScheduleEntryForm::loaded(clock.now());
        form.when.day = day, form.when.hour = 9, form.when.minute = minute;
        form.description = "New", form.frequency = frequency;
        EXPECT_EQ(scheduler->scheduleIt(form).has_value(), refused) << day << " " << minute;
        EXPECT_EQ(form.description.empty(), !refused) << "refused: the fields stay";
    }
    // Modify writes a past date or time, then says so.
    auto update = modify(0, ScheduleColumn::RunDate, [](CellEdit& e) { e.picker.day = 4; });
    ASSERT_TRUE(update.written && update.message);
    modify(0, ScheduleColumn::RunDate, [](CellEdit& e) { e.picker.day = 5; });
    update = modify(0, ScheduleColumn::RunTime, [](CellEdit& e) { e.picker.minute = 5; });
    EXPECT_TRUE(update.written && !update.message) << "its minute still runs";
}

}  // namespace
}  // namespace keyreel
