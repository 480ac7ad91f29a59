#pragma once

// Every text the program shows in a message box, in one table, which the
// help's list of messages is checked against. Where a text holds something
// that changes (a path, a count, a date), "{}" stands for it; fillIn puts
// the values in. A new message joins with its text here and a row in
// kMessageTexts.

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

namespace keyreel {

// Start-up, hand-over and help.
inline constexpr const char* kAlreadyRunningText = "The program is already running!";
inline constexpr const char* kDroppedHandOverText =
    "Too many macro files were opened at once: {} of them was not opened. Open it again once "
    "the others have started.";
inline constexpr const char* kDroppedHandOversText =
    "Too many macro files were opened at once: {} of them were not opened. Open them again once "
    "the others have started.";
inline constexpr const char* kDownloadedMacroText =
    "The macro file \"{}\" came from the internet. Its lines can start programs and open "
    "documents on this computer.\n\nPlay it now?";
inline constexpr const char* kHelpFileMissingText =
    "The help file keyreel.chm was not found in the program's folder.";
inline constexpr const char* kHelpViewerMissingText =
    "Help cannot be shown: the HTML Help viewer (hhctrl.ocx) is missing.";
inline constexpr const char* kHelpNotOpenedText = "The help file keyreel.chm could not be opened.";
// Shown by Windows while it waits to sign out or shut down.
inline constexpr const char* kShutdownHeldText = "Keyreel asks whether to keep unsaved work.";

// A window whose class, frame or controls the system would not make.
inline constexpr const char* kWindowNotOpenedText = "The window \"{}\" could not be opened.";

// Macro files.
inline constexpr const char* kUnreadableMacroFileText = "The macro file {} could not be read.";
inline constexpr const char* kNulCharactersText =
    "The macro file {} was not opened because it contains NUL characters.";
inline constexpr const char* kTooLargeText =
    "The macro file {} was not opened because it is larger than 64 MB, more than a macro can "
    "hold.";
inline constexpr const char* kOverwriteText = "Overwrite existing file?";
inline constexpr const char* kCloseFileFailedText =
    "Error occurred trying to close file, please retry.";
inline constexpr const char* kSaveChangesText = "Save changes to {}?";
inline constexpr const char* kSaveRecordingText = "Save the recording?";

// A play.
inline constexpr const char* kFileNotFoundText = "File not found!\rError 53";
inline constexpr const char* kMessageCommandText = "Message";
inline constexpr const char* kFocusLostText = "Focus Lost from application. Continue?";

// The preferences.
inline constexpr const char* kSettingsSavedText =
    "The hot keys take effect at once, the other settings the next time you start the "
    "program.";
inline constexpr const char* kSettingsNotSavedText =
    "Error occurred trying to save the settings, please retry.";

inline constexpr const char* kDownloadedHotKeyText =
    "The macro file of F{}, \"{}\", came from the internet: its hot key asks before the first "
    "play.";

// The scheduler.
inline constexpr const char* kNoFrequencyText =
    "No Frequency selected.  Please select a frequency.";
inline constexpr const char* kDoubleQuoteText =
    "The {} holds a double quote (\"), which the schedule file cannot store. Please remove it; "
    "nothing was added or changed.";
inline constexpr const char* kEntryGoneText =
    "This entry is no longer in the schedule: it ran or was deleted while it was being edited. "
    "Nothing was changed.";
inline constexpr const char* kWeekdayMismatchText =
    "This weekly entry will not run: its run date {} is a {}, but its day is {}. Change the Run "
    "Date or the Day so that they agree. Until then its Day cell is marked with \"!\".";
inline constexpr const char* kOncePassedWrittenText =
    "This once entry will never run: {} {} has already passed. Change the Run Date or the Run "
    "Time so that it runs.";
inline constexpr const char* kOncePassedRefusedText =
    "This once entry will never run: {} {} has already passed. Please choose a later date or "
    "time; nothing was added.";
// Follow kUnreadableMacroFileText for an entry that fell due.
inline constexpr const char* kEntryStaysText =
    "The scheduled entry \"{}\" did not play and stays in the schedule.";
inline constexpr const char* kEntryMovedOnText =
    "The scheduled entry \"{}\" did not play; its next run is on {}.";
// Begins the report of an entry whose file came from the internet, and the
// message of Schedule It and Modify, where kDownloadedEntryText follows it.
inline constexpr const char* kUnattendedDownloadText =
    "The macro file \"{}\" came from the internet, and the scheduler plays no such file "
    "unattended.";
inline constexpr const char* kDownloadedEntryText =
    "At its time the entry plays nothing, and you are told. To have it played, remove the "
    "file's mark (Unblock, in its Properties).";
inline constexpr const char* kScheduleStoppedText =
    "{} of the schedule {} could be read: the record on line {} cannot be read, and the list "
    "shows only what came before it. {}";
inline constexpr const char* kScheduleUnreadableText =
    "The schedule {} could not be read, so the list starts empty. {} Nothing replaces the file "
    "until that copy can be made.";
inline constexpr const char* kScheduleTooLargeText =
    "The schedule {} is larger than 64 MB and was not read, so the list starts empty. {} "
    "Nothing replaces the file until that copy can be made.";
// Ends the two texts above.
inline constexpr const char* kScheduleKeptAsText =
    "Before the first save writes the schedule, the original file is kept as {}.";
inline constexpr const char* kScheduleMissingText =
    "There is no schedule {}, and none could be made. Entries can be added, but they cannot be "
    "saved until the file can be written.";
inline constexpr const char* kScheduleBackupFailedText =
    "The schedule was not saved: {} could not be read completely when it was loaded, and it "
    "could not be kept as {} before being replaced. The file is unchanged, and the list keeps "
    "every change.";
inline constexpr const char* kScheduleNotSavedText =
    "The schedule could not be saved to {} (the file may be read-only, or the disk full). The "
    "file is unchanged, and the list keeps every change until a save succeeds.";
inline constexpr const char* kUnsavedScheduleText =
    "Changes to the schedule have not been saved. Save them?";

inline constexpr std::array kMessageTexts = {
    kAlreadyRunningText,       kDroppedHandOverText,    kDroppedHandOversText,
    kDownloadedMacroText,      kHelpFileMissingText,    kHelpViewerMissingText,
    kHelpNotOpenedText,        kShutdownHeldText,       kUnreadableMacroFileText,
    kNulCharactersText,        kTooLargeText,           kOverwriteText,
    kCloseFileFailedText,      kSaveChangesText,        kSaveRecordingText,
    kFileNotFoundText,         kMessageCommandText,     kFocusLostText,
    kSettingsSavedText,        kSettingsNotSavedText,   kNoFrequencyText,
    kDoubleQuoteText,          kEntryGoneText,          kWeekdayMismatchText,
    kOncePassedWrittenText,    kOncePassedRefusedText,  kEntryStaysText,
    kEntryMovedOnText,         kScheduleStoppedText,    kScheduleUnreadableText,
    kScheduleTooLargeText,     kScheduleKeptAsText,     kScheduleMissingText,
    kScheduleBackupFailedText, kScheduleNotSavedText,   kUnsavedScheduleText,
    kDownloadedHotKeyText,     kUnattendedDownloadText, kDownloadedEntryText,
    kWindowNotOpenedText,
};

// `text` with each "{}" replaced by the next of `values`.
std::string fillIn(std::string_view text, std::initializer_list<std::string_view> values);

}  // namespace keyreel
