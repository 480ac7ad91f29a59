#include "core/schedule/cell_editor.h"

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
    switch (edit.column) {
        case ScheduleColumn::RunTime:
            edit.editor = CellEditorKind::TimePicker;
            break;
        case ScheduleColumn::RunDate:
            edit.editor = CellEditorKind::DatePicker;
            break;
        case ScheduleColumn::Day:
            edit.editor = CellEditorKind::ChoiceList;
            edit.choices = weekdayChoices();
            break;
        case ScheduleColumn::Freq:
            edit.editor = CellEditorKind::ChoiceList;
            edit.choices = frequencyChoices();
            break;
        default:
            edit.editor = CellEditorKind::TextBox;
            edit.text = fieldOf(list.entry(*row), edit.column);
            return edit;
    }
    if (!edit.choices.empty())
        edit.text = edit.choices.front();
    return edit;
}

CellUpdate updateTheSchedule(ScheduleList& list, const CellEdit& edit) {
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
    return update;
}

}  // namespace keyreel
