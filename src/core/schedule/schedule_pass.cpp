#include "core/schedule/schedule_pass.h"

#include <algorithm>

namespace keyreel {

namespace {

using std::chrono::days;

int minuteOf(int secondOfDay) {
    return secondOfDay / 60;
}

}  // namespace

void SchedulePass::checkTheSchedule() {
    ScheduleMoment now = momentOf(clock_.now());
    playQueued(now);
    const std::size_t count = list_.rowCount();
    for (std::size_t row = 0; row < count && row < list_.rowCount(); ++row)
        checkEntry(row, now);
}

void SchedulePass::checkEntry(std::size_t row, ScheduleMoment& now) {
    if (row >= list_.rowCount())
        return;
    const ScheduleTimes& times = list_.times(row);
    const Frequency frequency = times.frequency;
    if (frequency == Frequency::Never)
        return;
    if (!times.runDate || !times.runTime || !times.running)
        return;
    // A row whose macro plays is left to the pass that fired it; a queued
    // row to the pass that finds the player free.
    const RowId id = list_.rowId(row);
    if (isPlaying(id) || isQueued(id))
        return;
    Date runDate = *times.runDate;
    const int runTime = *times.runTime;
    const auto runDay = times.runDay;
    bool running = *times.running;

    // Times of day only: both range over plus and minus one day.
    const int secs = runTime - now.secondOfDay;
    const int mins = minuteOf(runTime) - minuteOf(now.secondOfDay);

    if (frequency == Frequency::Once) {
        if (runDate == now.today && mins == 0 && secs <= 0 &&
            fire(row, now) == FilePlayResult::Busy)
            queued_.push_back(id);
        return;
    }
    if (runDate < now.today || (runDate == now.today && mins < 0)) {
        runDate = moveOnMissedRun(row, runDate, runTime, frequency, now);
        running = false;
    }
    if (frequency == Frequency::Weekly && runDay != now.weekday)
        return;
    const bool reset =
        frequency == Frequency::Daily ? mins == 0 && secs <= -1 : secs <= -1 && mins <= 0;
    if (running && reset) {
        list_.setCell(row, ScheduleColumn::Running, runningFlagText(false));
        save();
    }
    // A flag still set from an earlier run does not hold the entry back: the
    // reset window of a run time on second 59 is empty, and such an entry
    // would otherwise never fire again.
    if (secs <= 0 && mins == 0 && runDate == now.today && fire(row, now) == FilePlayResult::Busy)
        queued_.push_back(id);
}

void SchedulePass::advanceOneDay(std::size_t row, Date runDate, bool running) {
    const Date next = runDate + days(1);
    list_.setCell(row, ScheduleColumn::RunDate, runDateText(next));
    list_.setCell(row, ScheduleColumn::Day, std::to_string(weekdayNumber(next)));
    list_.setCell(row, ScheduleColumn::Running, runningFlagText(running));
    save();
}

void SchedulePass::advanceOneWeek(std::size_t row, Date runDate, bool running) {
    const Date next = runDate + days(7);
    list_.setCell(row, ScheduleColumn::RunDate, runDateText(next));
    list_.setCell(row, ScheduleColumn::Running, runningFlagText(running));
    save();
}

void SchedulePass::playQueued(ScheduleMoment& now) {
    // The front stays queued while it plays, so passes nested in its play
    // leave its row alone; they find the player busy and queue behind it.
    while (!queued_.empty()) {
        const RowId id = queued_.front();
        if (isPlaying(id))
            return;
        const auto row = list_.findRow(id);
        if (row && fire(*row, now) == FilePlayResult::Busy)
            return;
        std::erase(queued_, id);
    }
}

// Plays the row's macro. Whatever the result, the row may have moved or
// gone meanwhile: it is found again by its identity.
FilePlayResult SchedulePass::fire(std::size_t row, ScheduleMoment& now) {
    const RowId id = list_.rowId(row);
    const ScheduleTimes times = list_.times(row);
    const std::string path = list_.entry(row).path;
    playing_.push_back(id);
    const FilePlayResult result =
        actions_.playMacroFile(path, [&] { playStarting(id, times.frequency); });
    std::erase(playing_, id);
    now = momentOf(clock_.now());
    if (result == FilePlayResult::Busy)
        return result;
    if (times.frequency != Frequency::Once && times.runDate)
        moveOn(id, *times.runDate, times.frequency, result == FilePlayResult::Played);
    if (result != FilePlayResult::Played) {
        if (const auto current = list_.findRow(id))
            actions_.macroFileNotPlayed(list_.entry(*current), result);
    }
    return result;
}

void SchedulePass::playStarting(RowId id, Frequency frequency) {
    const auto row = list_.findRow(id);
    if (!row)
        return;
    actions_.entryFired(list_.entry(*row));
    if (frequency == Frequency::Once) {
        list_.removeRow(*row);
        save();
    } else {
        list_.setCell(*row, ScheduleColumn::Running, runningFlagText(true));
    }
}

// A row deleted meanwhile is not moved on.
void SchedulePass::moveOn(RowId id, Date runDate, Frequency frequency, bool played) {
    const auto row = list_.findRow(id);
    if (!row)
        return;
    if (frequency == Frequency::Daily) {
        advanceOneDay(*row, runDate, played);
    } else {
        advanceOneWeek(*row, runDate, played);
    }
}

Date SchedulePass::moveOnMissedRun(std::size_t row, Date runDate, int runTime, Frequency frequency,
                                   const ScheduleMoment& now) {
    // Today is still ahead while the run time's minute has not gone by.
    const Date firstAhead =
        minuteOf(now.secondOfDay) <= minuteOf(runTime) ? now.today : now.today + days(1);
    Date next = firstAhead;
    if (frequency == Frequency::Weekly) {
        const auto weeks = ((firstAhead - runDate).count() + 6) / 7;
        next = runDate + days(weeks * 7);
    }
    list_.setCell(row, ScheduleColumn::RunDate, runDateText(next));
    if (frequency == Frequency::Daily) {
        list_.setCell(row, ScheduleColumn::Day, std::to_string(weekdayNumber(next)));
    }
    list_.setCell(row, ScheduleColumn::Running, runningFlagText(false));
    save();
    return next;
}

bool SchedulePass::isPlaying(RowId id) const {
    return std::find(playing_.begin(), playing_.end(), id) != playing_.end();
}

bool SchedulePass::isQueued(RowId id) const {
    return std::find(queued_.begin(), queued_.end(), id) != queued_.end();
}

void SchedulePass::save() {
    actions_.scheduleSaved(database_.saveSchedule(list_));
}

bool onceRunHasPassed(const ScheduleTimes& times, const ScheduleMoment& now) {
    if (times.frequency != Frequency::Once || !times.runDate || !times.runTime)
        return false;
    return *times.runDate < now.today ||
           (*times.runDate == now.today && minuteOf(*times.runTime) < minuteOf(now.secondOfDay));
}

}  // namespace keyreel
