#include "core/schedule/scheduler_model.h"

#include "core/base/save_questions.h"
#include "core/schedule/scheduler_texts.h"

namespace keyreel {

namespace {

constexpr std::array<SchedulerButtonInfo, 6> kButtons = {{
    {SchedulerButton::SaveUpdate, "Save/Update", 240},
    {SchedulerButton::Delete, "Delete", 1920},
    {SchedulerButton::AddNew, "Add New", 2880},
    {SchedulerButton::View, "View", 4080},
    {SchedulerButton::Hide, "Hide", 4800},
    {SchedulerButton::Help, "Help", 5640},
}};

}  // namespace

const std::array<SchedulerButtonInfo, 6>& schedulerButtons() {
    return kButtons;
}

SchedulerModel::SchedulerModel(const SchedulerServices& services)
    : database_(services.files, services.databasePath, services.codePage),
      clock_(services.clock),
      player_(services.player),
      firedOnce_(services.firedOnce),
      toldUnreadable_(services.toldUnreadable),
      marked_(services.marked),
      pass_(list_, database_, clock_, *this) {}

void SchedulerModel::load() {
    const ScheduleLoad load = database_.openSchedule(list_);
    firedOnce_.removeFiredRows(list_);
    if (auto report = loadReport(load, database_))
        reports_.post(std::move(*report));
}

int SchedulerModel::millisToNextTick() {
    return millisToNextSecond(clock_.now());
}

ClockLabels SchedulerModel::tick() {
    {
        const ScheduleReports::PassScope scope(reports_);
        pass_.checkTheSchedule();
    }
    return clockLabels(clock_.now());
}

SchedulerOutcome SchedulerModel::press(SchedulerButton button,
                                       std::optional<std::size_t> selectedRow) {
    SchedulerOutcome outcome;
    switch (button) {
        case SchedulerButton::SaveUpdate:
            // A failed save leaves the window up, with its list, for another try.
            outcome.hideScheduler = outcome.closeOtherWindows = saveAsked();
            break;
        case SchedulerButton::Delete:
            // No selection rewrites the file unchanged.
            if (selectedRow)
                list_.removeRow(*selectedRow);
            saveAsked();
            break;
        case SchedulerButton::AddNew:
            outcome.openEntryWindow = true;
            break;
        case SchedulerButton::View:
            outcome.view = viewSelectedEntry(selectedRow);
            break;
        case SchedulerButton::Hide:
            outcome.hideScheduler = outcome.closeOtherWindows = true;
            break;
        case SchedulerButton::Help:
            outcome.showHelp = true;
            break;
    }
    return outcome;
}

std::optional<EntryView> SchedulerModel::viewSelectedEntry(std::optional<std::size_t> row) const {
    if (!row || *row >= list_.rowCount())
        return std::nullopt;
    const ScheduleEntry& entry = list_.entry(*row);
    return EntryView{entry.descr,   entry.runDate, entry.freq,
                     entry.runTime, entry.path,    entry.notes};
}

std::optional<CellEdit> SchedulerModel::openCellEditor(std::optional<std::size_t> row,
                                                       std::size_t column) {
    return keyreel::openCellEditor(list_, row, column, clock_.now());
}

CellUpdate SchedulerModel::updateTheSchedule(const CellEdit& edit) {
    CellUpdate update = keyreel::updateTheSchedule(list_, edit, clock_.now());
    unsavedChanges_ = unsavedChanges_ || update.written;
    if (update.written && !update.message && edit.column == ScheduleColumn::FilePath &&
        downloaded(edit.text))
        update.message = downloadedEntryMessage(edit.text);
    return update;
}

std::optional<MessageRequest> SchedulerModel::scheduleIt(ScheduleEntryForm& form) {
    if (const auto field = form.fieldWithDoubleQuote())
        return doubleQuoteMessage(*field);
    const ScheduleMoment when = momentOf(form.when);
    ScheduleTimes times;
    times.runDate = when.today;
    times.runTime = when.secondOfDay;
    times.frequency = Frequency::Once;
    if (form.frequencyCode() == "O" && onceRunHasPassed(times, momentOf(clock_.now()))) {
        return onceRunPassedMessage(enteredDateText(form.when.month, form.when.day, form.when.year),
                                    runTimeText(when.secondOfDay), false);
    }
    if (!addScheduleEntry(list_, form)) {
        // The fields stay as typed; the schedule is saved unchanged.
        saveAsked();
        return noFrequencyMessage();
    }
    const std::string path = form.path;
    form.emptyFields();
    saveAsked();
    if (downloaded(path))
        return downloadedEntryMessage(path);
    return std::nullopt;
}

std::string SchedulerModel::cellText(std::size_t row, ScheduleColumn column) const {
    const std::string& text = fieldOf(list_.entry(row), column);
    if (column != ScheduleColumn::Day || !weeklyDayMismatch(list_.times(row)))
        return text;
    return text.empty() ? "!" : text + " !";
}

std::optional<MessageRequest> SchedulerModel::closeQuestion() const {
    if (!unsavedChanges_)
        return std::nullopt;
    return unsavedChangesQuestion();
}

bool SchedulerModel::answerClose(MessageAnswer answer) {
    return mayCloseAfterAnswer(answer, [&] { return saveAsked(); });
}

void SchedulerModel::entryFired(const ScheduleEntry& entry) {
    if (frequencyOf(entry.freq) == Frequency::Once)
        firedOnce_.fired(entry);
}

bool SchedulerModel::downloaded(const std::string& path) const {
    return marked_ && marked_(path);
}

// No one is there to be asked.
FilePlayResult SchedulerModel::playMacroFile(const std::string& path,
                                             const FilePlayStarting& starting) {
    if (downloaded(path))
        return FilePlayResult::Downloaded;
    return player_.playMacroFile(path, starting);
}

void SchedulerModel::macroFileNotPlayed(const ScheduleEntry& entry, FilePlayResult cause) {
    if (!toldUnreadable_.firstTime(entry.descr, entry.path, static_cast<int>(cause)))
        return;
    reports_.post(cause == FilePlayResult::Downloaded ? downloadedEntryReport(entry)
                                                      : unreadableEntryReport(entry));
}

void SchedulerModel::scheduleSaved(ScheduleSaveResult result) {
    saveResult(result, false);
}

bool SchedulerModel::saveAsked() {
    const ScheduleSaveResult result = database_.saveSchedule(list_);
    saveResult(result, true);
    return result == ScheduleSaveResult::Saved;
}

void SchedulerModel::saveResult(ScheduleSaveResult result, bool asked) {
    if (result == ScheduleSaveResult::Saved) {
        saveFailing_ = false;
        unsavedChanges_ = false;
        firedOnce_.databaseSaved();
        return;
    }
    if (asked || !saveFailing_)
        reports_.post(saveFailureReport(result, database_));
    saveFailing_ = true;
    unsavedChanges_ = true;
}

}  // namespace keyreel
