#pragma once

// The schedule pass: run on every tick of the scheduler's clock, it fires
// the entries that are due, moves daily and weekly entries on to their next
// run and saves every change that must last.
//
// Due means: on the entry's run date, at or after its run time and still
// within the same clock minute, so a pass that falls a little late still
// fires it. A once entry leaves the list, saved, as its play starts, so it
// cannot fire twice. A daily or weekly entry is marked running as its play
// starts and moved on (a day, a week) after the play; passes that run
// during the play leave that row alone, and the running flag is cleared
// again by a pass in the rest of the run's minute. A daily or weekly entry
// whose run went by without a pass (the computer was off or asleep) is
// moved on, without playing, to its next run that is still ahead.
//
// A due entry whose play cannot start because another play runs (a hot
// key's, the Run button's, or another entry's, with this pass nested in it)
// is queued, by row identity and in memory only, and played at the first
// pass after that play has ended, however late: the rules of the minute and
// of missed runs no longer apply to it. An entry whose macro file cannot be
// read, or came from the internet and so is never played unattended, plays
// nothing: a once entry stays in the list (the rest of its minute tries it
// again), a daily or weekly entry moves on.
//
// One SchedulePass serves the scheduler for as long as it runs: it knows
// which rows are playing and which wait.

#include <cstddef>
#include <string>
#include <vector>

#include "core/macro/macro_file_player.h"
#include "core/schedule/schedule_clock.h"
#include "core/schedule/schedule_database.h"
#include "core/schedule/schedule_list.h"

namespace keyreel {

// What a firing does outside the core.
class ScheduleActions {
  public:
    virtual ~ScheduleActions() = default;
    // Told as a due entry's play starts, before its removal is saved.
    virtual void entryFired(const ScheduleEntry& entry) { (void)entry; }
    // Loads the macro file and plays it, calling `starting` just before the
    // play begins; returns when the play has ended or could not start, and
    // says which. Clock ticks, and with them nested passes, run meanwhile.
    virtual FilePlayResult playMacroFile(const std::string& path,
                                         const FilePlayStarting& starting) = 0;
    // Told when a due entry's macro file was not played (`cause`: it could
    // not be read, or came from the internet), with the entry as it stands
    // after it was kept (once) or moved on (daily, weekly).
    virtual void macroFileNotPlayed(const ScheduleEntry& entry, FilePlayResult cause) {
        (void)entry;
        (void)cause;
    }
    // Told after every save of the pass. When it failed, the list keeps the
    // change and the next save writes it.
    virtual void scheduleSaved(ScheduleSaveResult result) = 0;
};

class SchedulePass {
  public:
    SchedulePass(ScheduleList& list, ScheduleDatabase& database, Clock& clock,
                 ScheduleActions& actions)
        : list_(list), database_(database), clock_(clock), actions_(actions) {}

    // Plays the queued entries first, then one pass over the rows there are
    // when it starts. A row removed during the pass moves the next one up to
    // its index, which the pass has already passed: that row is checked by
    // the next pass.
    void checkTheSchedule();
    // Checks the row at `row` against `now` and fires it when it is due; a
    // play refreshes `now`. Rows whose run date, run time or running flag
    // cannot be read are left alone, and so are queued and playing rows.
    void checkEntry(std::size_t row, ScheduleMoment& now);
    // Run date one day (a week) on from `runDate`, written "M/dd/yyyy", with
    // the running flag; the daily advance also sets the weekday number of
    // the new date. Both save.
    void advanceOneDay(std::size_t row, Date runDate, bool running);
    void advanceOneWeek(std::size_t row, Date runDate, bool running);

  private:
    using RowId = ScheduleList::RowId;

    void playQueued(ScheduleMoment& now);
    FilePlayResult fire(std::size_t row, ScheduleMoment& now);
    void playStarting(RowId id, Frequency frequency);
    void moveOn(RowId id, Date runDate, Frequency frequency, bool played);
    Date moveOnMissedRun(std::size_t row, Date runDate, int runTime, Frequency frequency,
                         const ScheduleMoment& now);
    bool isPlaying(RowId id) const;
    bool isQueued(RowId id) const;
    void save();

    ScheduleList& list_;
    ScheduleDatabase& database_;
    Clock& clock_;
    ScheduleActions& actions_;
    // Rows whose macro is playing, innermost last.
    std::vector<RowId> playing_;
    // Due rows waiting for another play to end, in the order they fell due.
    // Passes nested in a play add to it while an outer pass walks it.
    std::vector<RowId> queued_;
};

// A once entry whose run date and time, to the minute, lie before `now`:
// no pass will fire it. False when its date or time cannot be read.
bool onceRunHasPassed(const ScheduleTimes& times, const ScheduleMoment& now);

}  // namespace keyreel
