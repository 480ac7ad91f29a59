#include "core/schedule/scheduler_texts.h"

#include "core/base/message_texts.h"
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
    return {kNoFrequencyText, kSchedulerTitle, MessageButtons::Ok, MessageIcon::None};
}

MessageRequest doubleQuoteMessage(std::string_view field) {
    return warning(fillIn(kDoubleQuoteText, {field}));
}

MessageRequest entryGoneMessage() {
    return warning(kEntryGoneText);
}

MessageRequest weekdayMismatchMessage(const ScheduleEntry& entry) {
    const auto date = parseRunDate(entry.runDate);
    const std::string dateDay = date ? std::string(weekdayName(weekdayNumber(*date))) : "";
    return warning(fillIn(kWeekdayMismatchText, {entry.runDate, dateDay, weekdayOf(entry.runDay)}));
}

MessageRequest onceRunPassedMessage(const std::string& runDate, const std::string& runTime,
                                    bool written) {
    return warning(
        fillIn(written ? kOncePassedWrittenText : kOncePassedRefusedText, {runDate, runTime}));
}

namespace {

std::string notPlayedText(const ScheduleEntry& entry) {
    if (frequencyOf(entry.freq) == Frequency::Once)
        return " " + fillIn(kEntryStaysText, {entry.descr});
    return " " + fillIn(kEntryMovedOnText, {entry.descr, entry.runDate});
}

std::string cameFromInternet(const std::string& path) {
    return fillIn(kUnattendedDownloadText, {path});
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
    return warning(cameFromInternet(path) + " " + kDownloadedEntryText);
}

std::optional<MessageRequest> loadReport(const ScheduleLoad& load,
                                         const ScheduleDatabase& database) {
    const std::string keptAs = fillIn(kScheduleKeptAsText, {database.backupPath()});
    switch (load.status) {
        case ScheduleLoadStatus::Loaded:
        case ScheduleLoadStatus::Created:
            return std::nullopt;
        case ScheduleLoadStatus::Stopped:
            return warning(
                fillIn(kScheduleStoppedText, {entriesRead(load.rowsRead), database.path(),
                                              std::to_string(load.stoppedAtLine), keptAs}));
        case ScheduleLoadStatus::Unreadable:
            return warning(fillIn(load.tooLarge ? kScheduleTooLargeText : kScheduleUnreadableText,
                                  {database.path(), keptAs}));
        case ScheduleLoadStatus::Missing:
            return warning(fillIn(kScheduleMissingText, {database.path()}));
    }
    return std::nullopt;
}

MessageRequest saveFailureReport(ScheduleSaveResult result, const ScheduleDatabase& database) {
    if (result == ScheduleSaveResult::BackupNotWritten) {
        return warning(fillIn(kScheduleBackupFailedText, {database.path(), database.backupPath()}));
    }
    return warning(fillIn(kScheduleNotSavedText, {database.path()}));
}

MessageRequest unsavedChangesQuestion() {
    return {kUnsavedScheduleText, kAppTitle, MessageButtons::YesNoCancel, MessageIcon::Question};
}

}  // namespace keyreel
