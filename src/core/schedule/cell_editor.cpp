#include "core/schedule/cell_editor.h"

#include "core/schedule/schedule_pass.h"
#include "core/schedule/scheduler_texts.h"

namespace keyreel {

namespace {

// How a message names the field of a column.
const char* fieldName(ScheduleColumn column) {
    switch (column) {
        case ScheduleColumn::Description:
            return "description";
        case ScheduleColumn::FilePath:
            return "file path";
        case ScheduleColumn::Running:
            return "running flag";
        case ScheduleColumn::Notes:
            return "notes";
        default:
            return "text";
    }
}

// The choice whose code the cell holds, or the first.
const char* choiceOf(std::span<const char* const> choices, const std::string& code) {
    for (const char* choice : choices) {
        if (codeOfChoice(choice) == code)
            return choice;
    }
    return choices.front();
}

void setPickerDate(LocalDateTime& picker, Date date) {
    const std::chrono::year_month_day ymd(date);
    picker.year = static_cast<int>(ymd.year());
    picker.month = static_cast<int>(static_cast<unsigned>(ymd.month()));
    picker.day = static_cast<int>(static_cast<unsigned>(ymd.day()));
}

void setPickerTime(LocalDateTime& picker, int secondOfDay) {
    picker.hour = secondOfDay / 3600;
    picker.minute = secondOfDay / 60 % 60;
    picker.second = secondOfDay % 60;
    picker.millisecond = 0;
}

}  // namespace

std::string CellEdit::cellText() const {
    switch (editor) {
        case CellEditorKind::ChoiceList:
            return codeOfChoice(text);
        case CellEditorKind::DatePicker:
            return enteredDateText(picker.month, picker.day, picker.year);
        case CellEditorKind::TimePicker:
            return runTimeText(picker.hour, picker.minute, picker.second);
        case CellEditorKind::TextBox:
            break;
    }
    return text;
}

std::optional<CellEdit> openCellEditor(const ScheduleList& list, std::optional<std::size_t> row,
                                       std::size_t column, const LocalDateTime& now) {
    if (!row || *row >= list.rowCount() || column >= kScheduleColumnCount)
        return std::nullopt;
    CellEdit edit;
    edit.rowId = list.rowId(*row);
    edit.column = static_cast<ScheduleColumn>(column);
    edit.picker = now;
    const ScheduleTimes& times = list.times(*row);
    const std::string& cell = fieldOf(list.entry(*row), edit.column);
    switch (edit.column) {
        case ScheduleColumn::RunTime:
            edit.editor = CellEditorKind::TimePicker;
            if (times.runTime)
                setPickerTime(edit.picker, *times.runTime);
            break;
        case ScheduleColumn::RunDate:
            edit.editor = CellEditorKind::DatePicker;
            if (times.runDate)
                setPickerDate(edit.picker, *times.runDate);
            break;
        case ScheduleColumn::Day:
            edit.editor = CellEditorKind::ChoiceList;
            edit.choices = weekdayChoices();
            edit.text = choiceOf(edit.choices, cell);
            break;
        case ScheduleColumn::Freq:
            edit.editor = CellEditorKind::ChoiceList;
            edit.choices = frequencyChoices();
            edit.text = choiceOf(edit.choices, cell);
            break;
        default:
            edit.editor = CellEditorKind::TextBox;
            edit.text = cell;
            break;
    }
    return edit;
}

CellUpdate updateTheSchedule(ScheduleList& list, const CellEdit& edit, const LocalDateTime& now) {
    std::string text = edit.cellText();
    if (edit.editor == CellEditorKind::TextBox && holdsDoubleQuote(text))
        return {false, false, doubleQuoteMessage(fieldName(edit.column))};
    const auto row = list.findRow(edit.rowId);
    if (!row)
        return {false, true, entryGoneMessage()};
    const bool offBefore = weeklyDayMismatch(list.times(*row));
    list.setCell(*row, edit.column, std::move(text));
    CellUpdate update{true, true, std::nullopt};
    if (!offBefore && weeklyDayMismatch(list.times(*row)))
        update.message = weekdayMismatchMessage(list.entry(*row));
    const bool dateOrTime =
        edit.column == ScheduleColumn::RunDate || edit.column == ScheduleColumn::RunTime;
    if (dateOrTime && onceRunHasPassed(list.times(*row), momentOf(now))) {
        const ScheduleEntry& entry = list.entry(*row);
        update.message = onceRunPassedMessage(entry.runDate, entry.runTime, true);
    }
    return update;
}

}  // namespace keyreel
