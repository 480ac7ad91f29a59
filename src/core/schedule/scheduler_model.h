#pragma once

// The scheduler window ("Macro Scheduler") as a model: the entry list it
// owns for its whole life with the one schedule pass over it, the clock tick,
// the six label buttons, the cell editor, the entry window's "Schedule It",
// the viewer's texts and closing. The windows mirror it: the list view
// observes list() and shows cellText(); every operation says what the
// windows do next; reports wait in a queue that the window shows with
// showReports() after each tick and each operation.
//
// Saves that fail keep the list as it is. One that the user asked for (a
// button, "Schedule It", closing) is reported each time; the saves of the
// pass are reported once until a save succeeds again, not on every tick.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/base/asked_files.h"
#include "core/base/file_store.h"
#include "core/macro/macro_file_player.h"
#include "core/schedule/cell_editor.h"
#include "core/schedule/entry_form.h"
#include "core/schedule/fired_once_entries.h"
#include "core/schedule/schedule_pass.h"
#include "core/schedule/schedule_reports.h"

namespace keyreel {

// What the scheduler works with; everything here outlives the model.
struct SchedulerServices {
    FileStore& files;
    std::string databasePath;
    const AnsiCodePage& codePage;
    Clock& clock;
    // The main window, whose file-play guard refuses a due entry's play
    // while another play runs (the entry then waits for it to end).
    MacroFilePlayer& player;
    // The program's memory of fired once entries, and of the entries whose
    // file could not be read, kept across the window's unloading.
    FiredOnceEntries& firedOnce;
    ToldUnreadableFiles& toldUnreadable;
    // Whether a macro file came from the internet: the scheduler plays no
    // such file, and says so when one is chosen.
    WebMarkReader marked;
};

enum class SchedulerButton { SaveUpdate, Delete, AddNew, View, Hide, Help };

struct SchedulerButtonInfo {
    SchedulerButton button;
    const char* caption;
    int leftTwips;
};

// The label buttons from left to right, in one row along the bottom.
const std::array<SchedulerButtonInfo, 6>& schedulerButtons();

// The viewer "Current Event": a snapshot of one entry, in the order
// `showTheSchedule` takes them. The frequency shows as its code letter.
struct EntryView {
    std::string descr;
    std::string runDate;
    std::string freq;
    std::string runTime;
    std::string path;
    std::string notes;

    bool operator==(const EntryView&) const = default;
};

// What the scheduler window does after a button.
struct SchedulerOutcome {
    bool hideScheduler = false;
    // The viewer, the entry window and the update window, those open.
    bool closeOtherWindows = false;
    bool openEntryWindow = false;
    bool showHelp = false;
    std::optional<EntryView> view;
};

class SchedulerModel : private ScheduleActions {
  public:
    explicit SchedulerModel(const SchedulerServices& services);
    // The pass refers to the list and the database it holds.
    SchedulerModel(const SchedulerModel&) = delete;
    SchedulerModel& operator=(const SchedulerModel&) = delete;

    ScheduleList& list() { return list_; }
    const ScheduleList& list() const { return list_; }

    // Window load: reads the database into the list and posts what went
    // wrong, naming the backup the first save keeps.
    void load();

    // The clock: the window's timer waits this long, set again before each
    // tick so that ticks, and with them passes, go on while a fired macro
    // plays inside this one.
    int millisToNextTick();
    // One tick: a schedule pass, then the clock labels for now.
    ClockLabels tick();

    SchedulerOutcome press(SchedulerButton button, std::optional<std::size_t> selectedRow);
    // `viewSelectedEntry`; empty when no row is selected.
    std::optional<EntryView> viewSelectedEntry(std::optional<std::size_t> row) const;

    // A double click on a cell; empty when it hit no row.
    std::optional<CellEdit> openCellEditor(std::optional<std::size_t> row, std::size_t column);
    // "Modify", and Enter in the update window's text box. A run date or
    // time that leaves a once entry in the past is written and said, and so
    // is a macro path of a file from the internet.
    CellUpdate updateTheSchedule(const CellEdit& edit);

    // The entry window's "Schedule It". A message to show, if any; the form
    // is emptied only when the entry was added. A once entry whose minute
    // has gone by is refused: nothing would ever play it. An entry whose file
    // came from the internet is added, and said to play nothing while the
    // file keeps its mark.
    std::optional<MessageRequest> scheduleIt(ScheduleEntryForm& form);

    // The text the list shows in a cell: the entry's text, with a weekly
    // entry's Day marked "!" while its run date is on another weekday. A
    // change to any cell of a row can change its Day cell.
    std::string cellText(std::size_t row, ScheduleColumn column) const;

    // Closing the window or ending the program: the question to ask first
    // while the list holds changes the file lacks: cell edits, and changes
    // whose save failed (every save writes the whole list).
    std::optional<MessageRequest> closeQuestion() const;
    // True when the window may close: after No, or after Yes and a save that
    // succeeded. Cancel, and a box that could not ask, keep it.
    bool answerClose(MessageAnswer answer);

    void showReports(const std::function<void(const MessageRequest&)>& show) {
        reports_.showWaiting(show);
    }
    bool reportsWaiting() const { return reports_.waiting(); }

  private:
    void entryFired(const ScheduleEntry& entry) override;
    FilePlayResult playMacroFile(const std::string& path,
                                 const FilePlayStarting& starting) override;
    void macroFileNotPlayed(const ScheduleEntry& entry, FilePlayResult cause) override;
    void scheduleSaved(ScheduleSaveResult result) override;

    bool downloaded(const std::string& path) const;
    bool saveAsked();
    void saveResult(ScheduleSaveResult result, bool asked);

    ScheduleList list_;
    ScheduleDatabase database_;
    Clock& clock_;
    MacroFilePlayer& player_;
    FiredOnceEntries& firedOnce_;
    ToldUnreadableFiles& toldUnreadable_;
    WebMarkReader marked_;
    SchedulePass pass_;
    ScheduleReports reports_;
    bool saveFailing_ = false;
    bool unsavedChanges_ = false;
};

}  // namespace keyreel
