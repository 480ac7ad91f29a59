// Editing the schedule through the windows' models: the update window's
// cell editors, the entry window's "Schedule It", and the entries they
// refuse or warn of.

#include <gtest/gtest.h>

#include "core/base/product_texts.h"
#include "core/schedule/scheduler_texts.h"
#include "scheduler_fixture.h"

namespace keyreel {
namespace {

class SchedulerEditing : public ::testing::Test, protected SchedulerParts {
  protected:
    // Opens the editor on a cell at 3/5/2000 9:05:07, as a double click does.
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

TEST_F(SchedulerEditing, EachColumnOpensItsEditorAndModifyWritesItsValueIntoThatCellOnly) {
    const auto setText = [](const char* text) { return [=](CellEdit& e) { e.text = text; }; };
    const auto setTime = [](int h, int m, int s) {
        return [=](CellEdit& e) { e.picker.hour = h, e.picker.minute = m, e.picker.second = s; };
    };
    const auto keyInList = [](CellEdit& e) { e.keyInChoiceList(); };
    struct Case {
        ScheduleColumn column;
        CellEditorKind editor;
        std::size_t choices;
        const char* startsAt;  // what Modify writes without a change: the cell's value
        std::function<void(CellEdit&)> change;
        const char* cell;
    };
    const Case cases[] = {
        {ScheduleColumn::Description, CellEditorKind::TextBox, 0, "Backup", setText("Nightly"),
         "Nightly"},
        {ScheduleColumn::RunTime, CellEditorKind::TimePicker, 0, "9:00:00", setTime(7, 3, 0),
         "7:03:00"},
        {ScheduleColumn::RunDate, CellEditorKind::DatePicker, 0, "3/9/2000",
         [](CellEdit& e) { e.picker.year = 2001, e.picker.month = 12, e.picker.day = 25; },
         "12/25/2001"},
        {ScheduleColumn::Day, CellEditorKind::ChoiceList, 7, "5", setText("7 - Saturday"), "7"},
        {ScheduleColumn::Freq, CellEditorKind::ChoiceList, 3, "D", setText("Weekly - W"), "W"},
        {ScheduleColumn::Freq, CellEditorKind::ChoiceList, 3, "D", keyInList, ""},
        {ScheduleColumn::FilePath, CellEditorKind::TextBox, 0, "Backup.kyr",
         setText("C:\\A,B\\new macro.kyr "), "C:\\A,B\\new macro.kyr "},
    };
    for (const Case& c : cases) {
        database() = record("Backup", "D", "3/9/2000", "9:00:00", "5", "two\r\nlines");
        loadWindow();
        const ScheduleEntry before = scheduler->list().entry(0);
        CellEdit editor = edit(0, c.column);
        const std::string what =
            std::string(scheduleColumns()[std::size_t(c.column)].key) + " -> " + c.cell;
        EXPECT_EQ(editor.editor, c.editor) << what;
        EXPECT_EQ(editor.choices.size(), c.choices) << what;
        EXPECT_EQ(editor.cellText(), c.startsAt) << what;
        c.change(editor);
        const CellUpdate update = scheduler->updateTheSchedule(editor);
        EXPECT_TRUE(update.written && update.closeEditor && !update.message) << what;
        ScheduleEntry expected = before;
        fieldOf(expected, c.column) = c.cell;
        EXPECT_EQ(scheduler->list().entry(0), expected) << what;
    }
    EXPECT_FALSE(scheduler->openCellEditor(std::nullopt, 0)) << "no row under the click";
    EXPECT_FALSE(scheduler->openCellEditor(1, 0)) << "below the last row";

    // Values that cannot be read: the pickers start now, the lists at their first item.
    database() = record("Broken", "X", "2/30/2000", "9:5", "9");
    loadWindow();
    const std::pair<ScheduleColumn, const char*> unreadable[] = {
        {ScheduleColumn::RunTime, "9:05:07"},
        {ScheduleColumn::RunDate, "3/5/2000"},
        {ScheduleColumn::Day, "1"},
        {ScheduleColumn::Freq, "O"},
    };
    for (const auto& [column, startsAt] : unreadable)
        EXPECT_EQ(edit(0, column).cellText(), startsAt) << startsAt;
}

TEST_F(SchedulerEditing, AFreqEditShowsAtOnceAndReachesTheFileWithTheNextSave) {
    database() = record("Backup", "O", "3/9/2000", "9:00:00", "5");
    loadWindow();
    const std::string saved = database();
    modify(0, ScheduleColumn::Freq, [](CellEdit& e) { e.text = "Daily - D"; });
    EXPECT_EQ(rows(), Strings{"Backup 9:00:00 3/9/2000 5 D"});
    EXPECT_EQ(database(), saved);
    EXPECT_TRUE(scheduler->closeQuestion()) << "closing asks before the edit is lost";

    const SchedulerOutcome outcome = scheduler->press(SchedulerButton::SaveUpdate, std::nullopt);
    EXPECT_TRUE(outcome.hideScheduler && outcome.closeOtherWindows);
    EXPECT_EQ(database(), record("Backup", "D", "3/9/2000", "9:00:00", "5"));
    EXPECT_FALSE(scheduler->closeQuestion());
}

TEST_F(SchedulerEditing, ModifyFollowsItsRowWhenAPassMovesItAndWritesNothingWhenItIsGone) {
    database() = record("Once", "O", "3/5/2000", "9:05:30") +
                 record("Later", "D", "3/9/2000", "9:00:00", "5") +
                 record("Soon", "O", "3/5/2000", "9:06:00");
    loadWindow();
    CellEdit later = edit(1, ScheduleColumn::FilePath);
    CellEdit soon = edit(2, ScheduleColumn::Description);
    tickAt("3/5/2000 9:05:30");  // "Once" fires and is removed: "Later" moves up
    later.text = "C:\\M\\later.kyr";
    EXPECT_TRUE(scheduler->updateTheSchedule(later).written);
    EXPECT_EQ(scheduler->list().entry(0).path, "C:\\M\\later.kyr");

    tickAt("3/5/2000 9:06:00");  // "Soon" fires while its editor is open
    const std::string file = database();
    soon.text = "Renamed";
    const CellUpdate update = scheduler->updateTheSchedule(soon);
    EXPECT_FALSE(update.written);
    EXPECT_TRUE(update.closeEditor);
    EXPECT_EQ(update.message->text,
              "This entry is no longer in the schedule: it ran or was deleted while it was being "
              "edited. Nothing was changed.");
    EXPECT_EQ(rows(), Strings{"Later 9:00:00 3/9/2000 5 D"});
    EXPECT_EQ(database(), file);
    EXPECT_EQ(played, (Strings{"Once.kyr", "Soon.kyr"}));
}

TEST_F(SchedulerEditing, ADoubleQuoteIsRefusedBeforeAnythingIsAddedOrWritten) {
    database() = record("Backup", "D", "3/9/2000", "9:00:00", "5");
    loadWindow();
    for (const auto column : {ScheduleColumn::Description, ScheduleColumn::FilePath}) {
        const CellUpdate update = modify(0, column, [](CellEdit& e) { e.text = "say \"hi\""; });
        EXPECT_FALSE(update.written || update.closeEditor) << "the editor stays open";
        EXPECT_NE(update.message->text.find("double quote"), std::string::npos);
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

TEST_F(SchedulerEditing, ScheduleItAddsTheFormsEntrySavesAndEmptiesTheFields) {
    database() = record("Report", "D", "3/9/2000", "9:00:00", "5") +
                 record("Backup", "D", "3/9/2000", "9:00:00", "5");
    loadWindow();
    ScheduleEntryForm form = ScheduleEntryForm::loaded(moment("3/5/2000 9:05:07"));
    form.when.day = 6;
    EXPECT_EQ(form.weekdayLabel(), "Monday");
    form.when.hour = 14, form.when.minute = 0, form.when.second = 0;
    form.description = "Backup";
    form.frequency = 2;
    std::vector<FileDialogRequest> dialogs;
    std::optional<std::string> chosen = "C:\\M\\B.KYR";
    const ChooseFile choose = [&](const FileDialogRequest& request) {
        dialogs.push_back(request);
        return chosen;
    };
    form.browse(choose);
    chosen.reset();
    form.browse(choose);  // cancelled: the path stays
    EXPECT_EQ(dialogs.at(1).filterIndex, 2) << "macro files preselected";
    form.notes = "two\r\nlines";
    EXPECT_FALSE(scheduler->scheduleIt(form));
    EXPECT_EQ(scheduler->list().entry(2),
              (ScheduleEntry{"Backup(3)", "14:00:00", "3/6/2000", "2", "W", "C:\\M\\B.KYR", "False",
                             "two\r\nlines"}));
    EXPECT_EQ(database(),
              record("Report", "D", "3/9/2000", "9:00:00", "5") +
                  record("Backup", "D", "3/9/2000", "9:00:00", "5") +
                  "\"Backup(3)\",\"14:00:00\",\"3/6/2000\",\"2\",\"W\",\"C:\\M\\B.KYR\","
                  "\"False\",\"two\r\nlines\"\r\n");
    EXPECT_TRUE(form.description.empty() && form.path.empty() && form.notes.empty());
    EXPECT_FALSE(form.frequency);
    EXPECT_EQ(form.when.hour, 14) << "the pickers keep their values";
}

TEST_F(SchedulerEditing, AWeeklyEntryOffItsWeekdayIsMarkedAndTheModifyThatCausesItSaysSo) {
    database() = record("Weekly", "W", "3/5/2000", "9:00:00", "1") +
                 record("Daily", "D", "3/7/2000", "9:00:00", "1");
    loadWindow();
    const auto setText = [](const char* text) { return [=](CellEdit& e) { e.text = text; }; };
    auto update = modify(0, ScheduleColumn::RunDate, [](CellEdit& e) { e.picker.day = 7; });
    ASSERT_TRUE(update.written && update.message);
    EXPECT_NE(update.message->text.find("3/7/2000 is a Tuesday, but its day is Sunday"),
              std::string::npos);
    EXPECT_EQ(rows()[0], "Weekly 9:00:00 3/7/2000 1 ! W");
    EXPECT_FALSE(modify(0, ScheduleColumn::Day, setText("3 - Tuesday")).message);
    EXPECT_EQ(rows()[0], "Weekly 9:00:00 3/7/2000 3 W");
    EXPECT_TRUE(modify(0, ScheduleColumn::Day, [](CellEdit& e) { e.keyInChoiceList(); }).message);
    EXPECT_EQ(rows()[0], "Weekly 9:00:00 3/7/2000 ! W");

    EXPECT_EQ(rows()[1], "Daily 9:00:00 3/7/2000 1 D") << "only weekly entries need their day";
    EXPECT_TRUE(modify(1, ScheduleColumn::Freq, setText("Weekly - W")).message);
    EXPECT_EQ(rows()[1], "Daily 9:00:00 3/7/2000 1 ! W");
}

TEST_F(SchedulerEditing, AOnceEntryWhoseMinuteHasGonePlaysNeverAndIsSaidSo) {
    database() = record("Once", "O", "3/9/2000", "9:00:00", "5");
    loadWindow();
    setClock("3/5/2000 9:05:07");
    // Date, time and frequency of the form; whether it is refused.
    const std::tuple<int, int, int, std::size_t, bool> forms[] = {
        {5, 9, 4, 0, true},
        {5, 9, 5, 0, false},
        {4, 9, 0, 1, false},  // daily: the missed-run rule moves it on
    };
    for (const auto& [day, hour, minute, frequency, refused] : forms) {
        ScheduleEntryForm form = ScheduleEntryForm::loaded(clock.now());
        form.when.day = day, form.when.hour = hour, form.when.minute = minute;
        form.description = "New";
        form.frequency = frequency;
        const std::size_t rowsBefore = scheduler->list().rowCount();
        const auto message = scheduler->scheduleIt(form);
        const std::string what =
            std::to_string(day) + " " + std::to_string(hour) + ":" + std::to_string(minute);
        EXPECT_EQ(message.has_value(), refused) << what;
        EXPECT_EQ(scheduler->list().rowCount(), rowsBefore + (refused ? 0 : 1)) << what;
        EXPECT_EQ(form.description.empty(), !refused) << "refused: the fields stay";
    }
    // Modify writes a past date or time, then says so.
    auto update = modify(0, ScheduleColumn::RunDate, [](CellEdit& e) { e.picker.day = 4; });
    ASSERT_TRUE(update.written && update.message);
    EXPECT_EQ(update.message->text,
              "This once entry will never run: 3/4/2000 9:00:00 has already passed. Change the "
              "Run Date or the Run Time so that it runs.");
    modify(0, ScheduleColumn::RunDate, [](CellEdit& e) { e.picker.day = 5; });
    update = modify(0, ScheduleColumn::RunTime, [](CellEdit& e) { e.picker.minute = 5; });
    EXPECT_TRUE(update.written && !update.message) << "its minute still runs";
    update = modify(0, ScheduleColumn::RunTime, [](CellEdit& e) { e.picker.minute = 4; });
    EXPECT_TRUE(update.written && update.message);
    EXPECT_EQ(rows()[0], "Once 9:04:00 3/5/2000 5 O");
}

}  // namespace
}  // namespace keyreel
