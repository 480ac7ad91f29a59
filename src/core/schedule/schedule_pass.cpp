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
    Date runDate = *times.runDate;
    const int runTime = *times.runTime;
    const auto runDay = times.runDay;
    bool running = *times.running;

    // Times of day only: both range over plus and minus one day.
    const int secs = runTime - now.secondOfDay;
    const int mins = minuteOf(runTime) - minuteOf(now.secondOfDay);

    if (frequency == Frequency::Once) {
        if (runDate == now.today && mins == 0 && secs <= 0)
            fireOnce(row, now);
        return;
    }
    // A row whose macro is playing is left to the pass that fired it.
    if (isPlaying(list_.rowId(row)))
        return;

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
    if (secs <= 0 && mins == 0 && runDate == now.today)
        fireRepeating(row, runDate, frequency, now);
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

void SchedulePass::fireOnce(std::size_t row, ScheduleMoment& now) {
    const ScheduleEntry fired = list_.entry(row);
    actions_.entryFired(fired);
    list_.removeRow(row);
    save();
    actions_.playMacroFile(fired.path);
    now = momentOf(clock_.now());
}

void SchedulePass::fireRepeating(std::size_t row, Date runDate, Frequency frequency,
                                 ScheduleMoment& now) {
    const ScheduleList::RowId id = list_.rowId(row);
    list_.setCell(row, ScheduleColumn::Running, runningFlagText(true));
    // A copy: passes that run during the play may change or remove the row.
    const ScheduleEntry fired = list_.entry(row);
    actions_.entryFired(fired);
    playing_.push_back(id);
    actions_.playMacroFile(fired.path);
    std::erase(playing_, id);
    now = momentOf(clock_.now());

    // Rows above may have gone meanwhile; a row deleted meanwhile is not advanced.
    const auto current = list_.findRow(id);
    if (!current)
        return;
    if (frequency == Frequency::Daily) {
        advanceOneDay(*current, runDate, true);
    } else {
        advanceOneWeek(*current, runDate, true);
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

bool SchedulePass::isPlaying(ScheduleList::RowId id) const {
    return std::find(playing_.begin(), playing_.end(), id) != playing_.end();
}

void SchedulePass::save() {
    actions_.scheduleSaved(database_.saveSchedule(list_));
}

}  // namespace keyreel
