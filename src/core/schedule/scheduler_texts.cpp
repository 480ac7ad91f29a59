#include "core/schedule/scheduler_texts.h"

#include "core/base/product_texts.h"
#include "core/macro/macro_file.h"

namespace keyreel {

namespace {

constexpr std::array<const char*, 3> kFrequencyChoices = {"Once - O", "Daily - D", "Weekly - W"};
constexpr std::array<const char*, 7> kWeekdayChoices = {
    "1 - Sunday",   "2 - Monday", "3 - Tuesday", "4 - Wednesday",
    "5 - Thursday", "6 - Friday", "7 - Saturday"};
constexpr std::array<const char*, 3> kFrequencyCodes = {"O", "D", "W"};

MessageRequest warning(std::string text) {
    return {std::move(text), kAppTitle, MessageButtons::Ok, MessageIcon::Exclamation};
}

std::string entriesRead(std::size_t count) {
    if (count == 0)
        return "No entry";
    return "Only " + std::to_string(count) + (count == 1 ? " entry" : " entries");
}

std::string weekdayOf(std::string_view runDay) {
    const auto number = parseWeekdayNumber(runDay);
    return number ? std::string(weekdayName(*number)) : "no weekday";
}

}  // namespace

const std::array<const char*, 3>& frequencyChoices() {
    return kFrequencyChoices;
}

const std::array<const char*, 7>& weekdayChoices() {
    return kWeekdayChoices;
}

std::string codeOfChoice(std::string_view choice) {
    for (std::size_t i = 0; i < kFrequencyChoices.size(); ++i) {
        if (choice == kFrequencyChoices[i])
            return kFrequencyCodes[i];
    }
    for (std::size_t i = 0; i < kWeekdayChoices.size(); ++i) {
        if (choice == kWeekdayChoices[i])
            return std::to_string(i + 1);
    }
    return {};
}

bool holdsDoubleQuote(std::string_view text) {
    return text.find('"') != std::string_view::npos;
}

MessageRequest noFrequencyMessage() {
    return {"No Frequency selected.  Please select a frequency.", kSchedulerTitle,
            MessageButtons::Ok, MessageIcon::None};
}

MessageRequest doubleQuoteMessage(std::string_view field) {
    return warning("The " + std::string(field) +
                   " holds a double quote (\"), which the schedule file cannot store. "
                   "Please remove it; nothing was added or changed.");
}

MessageRequest entryGoneMessage() {
    return warning(
        "This entry is no longer in the schedule: it ran or was deleted while it was being "
        "edited. Nothing was changed.");
}

MessageRequest weekdayMismatchMessage(const ScheduleEntry& entry) {
    const auto date = parseRunDate(entry.runDate);
    const std::string dateDay = date ? std::string(weekdayName(weekdayNumber(*date))) : "";
    return warning("This weekly entry will not run: its run date " + entry.runDate + " is a " +
                   dateDay + ", but its day is " + weekdayOf(entry.runDay) +
                   ". Change the Run Date or the Day so that they agree. Until then its Day "
                   "cell is marked with \"!\".");
}

MessageRequest onceRunPassedMessage(const std::string& runDate, const std::string& runTime,
                                    bool written) {
    const std::string passed =
        "This once entry will never run: " + runDate + " " + runTime + " has already passed. ";
    if (written)
        return warning(passed + "Change the Run Date or the Run Time so that it runs.");
    return warning(passed + "Please choose a later date or time; nothing was added.");
}

namespace {

std::string notPlayedText(const ScheduleEntry& entry) {
    std::string text = " The scheduled entry \"" + entry.descr + "\" did not play";
    if (frequencyOf(entry.freq) == Frequency::Once)
        return text + " and stays in the schedule.";
    return text + "; its next run is on " + entry.runDate + ".";
}

std::string cameFromInternet(const std::string& path) {
    return "The macro file \"" + path +
           "\" came from the internet, and the scheduler plays no such file unattended.";
}

}  // namespace

MessageRequest unreadableEntryReport(const ScheduleEntry& entry) {
    MessageRequest report = unreadableMacroFileMessage(entry.path);
    report.text += notPlayedText(entry);
    return report;
}

MessageRequest downloadedEntryReport(const ScheduleEntry& entry) {
    return warning(cameFromInternet(entry.path) + notPlayedText(entry));
}

MessageRequest downloadedEntryMessage(const std::string& path) {
    return warning(cameFromInternet(path) +
                   " At its time the entry plays nothing, and you are told. To have it played, "
                   "remove the file's mark (Unblock, in its Properties).");
}

std::optional<MessageRequest> loadReport(const ScheduleLoad& load,
                                         const ScheduleDatabase& database) {
    const std::string keptAs =
        "Before the first save writes the schedule, the original file is "
        "kept as " +
        database.backupPath() + ".";
    switch (load.status) {
        case ScheduleLoadStatus::Loaded:
        case ScheduleLoadStatus::Created:
            return std::nullopt;
        case ScheduleLoadStatus::Stopped:
            return warning(
                entriesRead(load.rowsRead) + " of the schedule " + database.path() +
                " could be read: the record on line " + std::to_string(load.stoppedAtLine) +
                " cannot be read, and the list shows only what came before it. " + keptAs);
        case ScheduleLoadStatus::Unreadable:
            return warning(
                "The schedule " + database.path() +
                (load.tooLarge ? " is larger than 64 MB and was not read" : " could not be read") +
                ", so the list starts empty. " + keptAs +
                " Nothing replaces the file until that copy can be made.");
        case ScheduleLoadStatus::Missing:
            return warning("There is no schedule " + database.path() +
                           ", and none could be made. Entries can be added, but they cannot be "
                           "saved until the file can be written.");
    }
    return std::nullopt;
}

MessageRequest saveFailureReport(ScheduleSaveResult result, const ScheduleDatabase& database) {
    if (result == ScheduleSaveResult::BackupNotWritten) {
        return warning("The schedule was not saved: " + database.path() +
                       " could not be read completely when it was loaded, and it could not be "
                       "kept as " +
                       database.backupPath() +
                       " before being replaced. The file is unchanged, and the list keeps "
                       "every change.");
    }
    return warning("The schedule could not be saved to " + database.path() +
                   " (the file may be read-only, or the disk full). The file is unchanged, and "
                   "the list keeps every change until a save succeeds.");
}

MessageRequest unsavedChangesQuestion() {
    return {"Changes to the schedule have not been saved. Save them?", kAppTitle,
            MessageButtons::YesNoCancel, MessageIcon::Question};
}

}  // namespace keyreel
