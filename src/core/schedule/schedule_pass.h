#pragma once

// The schedule pass: run on every tick of the scheduler's clock, it fires
// the entries that are due, moves daily and weekly entries on to their next
// run and saves every change that must last.
//
// Due means: on the entry's run date, at or after its run time and still
// within the same clock minute, so a pass that falls a little late still
// fires it. A once entry is removed and saved before it plays, so it cannot
// fire twice. A daily or weekly entry is marked running before it plays and
// moved on (a day, a week) after the play; passes that run during the play
// leave that row alone, and the running flag is cleared again by a pass in
// the rest of the run's minute. A daily or weekly entry whose run went by
// without a pass (the computer was off or asleep) is moved on, without
// playing, to its next run that is still ahead.
//
// One SchedulePass serves the scheduler for as long as it runs: it knows
// which rows are playing.

#include <cstddef>
#include <string>
#include <vector>

#include "core/schedule/macro_file_player.h"
#include "core/schedule/schedule_clock.h"
#include "core/schedule/schedule_database.h"
#include "core/schedule/schedule_list.h"

namespace keyreel {

// What a firing does outside the core.
class ScheduleActions {
  public:
    virtual ~ScheduleActions() = default;
    // Told when an entry fires, before its removal or flag is saved and
    // before its macro plays.
    virtual void entryFired(const ScheduleEntry& entry) { (void)entry; }
    // Loads the macro file and plays it; returns when the play has ended or
    // was refused, and says which. Clock ticks, and with them nested
    // passes, run meanwhile.
    virtual FilePlayResult playMacroFile(const std::string& path) = 0;
    // Told after every save of the pass. When it failed, the list keeps the
    // change and the next save writes it.
    virtual void scheduleSaved(ScheduleSaveResult result) = 0;
};

class SchedulePass {
  public:
    SchedulePass(ScheduleList& list, ScheduleDatabase& database, Clock& clock,
                 ScheduleActions& actions)
        : list_(list), database_(database), clock_(clock), actions_(actions) {}

    // One pass over the rows there are when it starts. A row removed during
    // the pass moves the next one up to its index, which the pass has
    // already passed: that row is checked by the next pass.
    void checkTheSchedule();
    // Checks the row at `row` against `now` and fires it when it is due; a
    // play refreshes `now`. Rows whose run date, run time or running flag
    // cannot be read are left alone.
    void checkEntry(std::size_t row, ScheduleMoment& now);
    // Run date one day (a week) on from `runDate`, written "M/dd/yyyy", with
    // the running flag; the daily advance also sets the weekday number of
    // the new date. Both save.
    void advanceOneDay(std::size_t row, Date runDate, bool running);
    void advanceOneWeek(std::size_t row, Date runDate, bool running);

  private:
    void fireOnce(std::size_t row, ScheduleMoment& now);
    void fireRepeating(std::size_t row, Date runDate, Frequency frequency, ScheduleMoment& now);
    Date moveOnMissedRun(std::size_t row, Date runDate, int runTime, Frequency frequency,
                         const ScheduleMoment& now);
    bool isPlaying(ScheduleList::RowId id) const;
    void save();

    ScheduleList& list_;
    ScheduleDatabase& database_;
    Clock& clock_;
    ScheduleActions& actions_;
    // Rows whose macro is playing, innermost last.
    std::vector<ScheduleList::RowId> playing_;
};

}  // namespace keyreel
