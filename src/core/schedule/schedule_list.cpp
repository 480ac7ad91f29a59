#include "core/schedule/schedule_list.h"

#include <algorithm>

namespace keyreel {

ScheduleTimes parseScheduleTimes(const ScheduleEntry& entry) {
    return {parseRunDate(entry.runDate), parseRunTime(entry.runTime),
            parseWeekdayNumber(entry.runDay), parseRunningFlag(entry.running),
            frequencyOf(entry.freq)};
}

bool weeklyDayMismatch(const ScheduleTimes& times) {
    return times.frequency == Frequency::Weekly && times.runDate &&
           times.runDay != weekdayNumber(*times.runDate);
}

std::optional<std::size_t> ScheduleList::findRow(RowId id) const {
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        if (rows_[row].id == id)
            return row;
    }
    return std::nullopt;
}

std::size_t ScheduleList::addLoadedRow(ScheduleEntry entry) {
    return append(std::move(entry));
}

std::size_t ScheduleList::addEntryRow(std::string descr, std::string runTime, std::string runDate,
                                      std::string freq, std::string path, std::string runDay,
                                      std::string running, std::string notes) {
    if (descriptionTaken(descr)) {
        // The row's own number normally settles it; should a row already
        // carry that numbered description too, the next free number is used.
        std::size_t number = rows_.size() + 1;
        std::string numbered;
        do {
            numbered = descr + "(" + std::to_string(number++) + ")";
        } while (descriptionTaken(numbered));
        descr = std::move(numbered);
    }
    return append({std::move(descr), std::move(runTime), std::move(runDate), std::move(runDay),
                   std::move(freq), std::move(path), std::move(running), std::move(notes)});
}

bool ScheduleList::removeRow(std::size_t row) {
    if (row >= rows_.size())
        return false;
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row));
    if (observer_)
        observer_->rowRemoved(row);
    return true;
}

bool ScheduleList::setCell(std::size_t row, ScheduleColumn column, std::string text) {
    if (row >= rows_.size())
        return false;
    Row& target = rows_[row];
    fieldOf(target.entry, column) = std::move(text);
    target.times = parseScheduleTimes(target.entry);
    if (observer_)
        observer_->cellChanged(row, column);
    return true;
}

void ScheduleList::clear() {
    rows_.clear();
    if (observer_)
        observer_->listCleared();
}

std::size_t ScheduleList::append(ScheduleEntry entry) {
    Row row{nextId_++, std::move(entry), {}, {}};
    row.addedDescr = row.entry.descr;
    row.times = parseScheduleTimes(row.entry);
    rows_.push_back(std::move(row));
    const std::size_t index = rows_.size() - 1;
    if (observer_)
        observer_->rowAdded(index);
    return index;
}

bool ScheduleList::descriptionTaken(const std::string& descr) const {
    return std::any_of(rows_.begin(), rows_.end(),
                       [&](const Row& row) { return row.addedDescr == descr; });
}

}  // namespace keyreel
