#include "core/schedule/entry_form.h"

#include "core/schedule/scheduler_texts.h"

namespace keyreel {

ScheduleEntryForm ScheduleEntryForm::loaded(const LocalDateTime& now) {
    ScheduleEntryForm form;
    form.when = now;
    return form;
}

std::string ScheduleEntryForm::weekdayLabel() const {
    return std::string(weekdayName(momentOf(when).weekday));
}

std::optional<std::string> ScheduleEntryForm::frequencyCode() const {
    if (!frequency || *frequency >= frequencyChoices().size())
        return std::nullopt;
    return codeOfChoice(frequencyChoices()[*frequency]);
}

std::optional<std::string> ScheduleEntryForm::fieldWithDoubleQuote() const {
    if (holdsDoubleQuote(description))
        return "description";
    if (holdsDoubleQuote(path))
        return "macro path";
    if (holdsDoubleQuote(notes))
        return "notes";
    return std::nullopt;
}

void ScheduleEntryForm::browse(const ChooseFile& chooseFile) {
    if (auto chosen = chooseFile(macroFileOpenDialog()))
        path = std::move(*chosen);
}

void ScheduleEntryForm::emptyFields() {
    description.clear();
    frequency.reset();
    path.clear();
    notes.clear();
}

bool addScheduleEntry(ScheduleList& list, const ScheduleEntryForm& form) {
    const auto code = form.frequencyCode();
    if (!code)
        return false;
    const ScheduleMoment day = momentOf(form.when);
    list.addEntryRow(form.description,
                     runTimeText(form.when.hour, form.when.minute, form.when.second),
                     enteredDateText(form.when.month, form.when.day, form.when.year), *code,
                     form.path, std::to_string(day.weekday), runningFlagText(false), form.notes);
    return true;
}

}  // namespace keyreel
