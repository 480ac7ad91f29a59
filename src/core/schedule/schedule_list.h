#pragma once

// The schedule's working copy: the entry rows in list order. The scheduler
// window observes it and mirrors every change; the schedule pass and the
// windows change it only through the operations here, so each row's parsed
// times always match its texts.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/schedule/schedule_entry.h"

namespace keyreel {

// What the schedule pass reads from a row, parsed when the row's texts change
// so that a pass over rows that are not due does no parsing at all.
struct ScheduleTimes {
    std::optional<Date> runDate;
    std::optional<int> runTime;  // seconds since midnight
    std::optional<int> runDay;   // 1 = Sunday to 7 = Saturday
    std::optional<bool> running;
    Frequency frequency = Frequency::Never;
};

ScheduleTimes parseScheduleTimes(const ScheduleEntry& entry);

// A weekly entry runs only on a run date that falls on its weekday. The
// update window changes one cell at a time, so the two can come apart, and
// then the entry never runs: the windows show such rows.
bool weeklyDayMismatch(const ScheduleTimes& times);

// Told after each change of the list; rows are 0-based.
class ScheduleListObserver {
  public:
    virtual ~ScheduleListObserver() = default;
    virtual void rowAdded(std::size_t row) = 0;
    // `row` is the index the row had.
    virtual void rowRemoved(std::size_t row) = 0;
    virtual void cellChanged(std::size_t row, ScheduleColumn column) = 0;
    virtual void listCleared() = 0;
};

class ScheduleList {
  public:
    // Identifies a row for as long as it exists, wherever it moves; indexes
    // change when rows above are removed.
    using RowId = std::uint64_t;

    // One observer at a time; null for none.
    void setObserver(ScheduleListObserver* observer) { observer_ = observer; }

    std::size_t rowCount() const { return rows_.size(); }
    // Rows are 0-based; an index past the end throws std::out_of_range.
    const ScheduleEntry& entry(std::size_t row) const { return rows_.at(row).entry; }
    const ScheduleTimes& times(std::size_t row) const { return rows_.at(row).times; }
    RowId rowId(std::size_t row) const { return rows_.at(row).id; }
    std::optional<std::size_t> findRow(RowId id) const;

    // Appends a row read from the database, its description as read.
    std::size_t addLoadedRow(ScheduleEntry entry);
    // Makes room for `rows` rows in all, so that appending them moves no row.
    void reserve(std::size_t rows) { rows_.reserve(rows); }
    // Appends a row made in the entry window, with the texts in the order
    // that window hands them over. A description that an existing row had
    // when it was added gets the new row's 1-based number: "Backup(3)".
    // Returns the new row's index.
    std::size_t addEntryRow(std::string descr, std::string runTime, std::string runDate,
                            std::string freq, std::string path, std::string runDay,
                            std::string running, std::string notes);
    // False when there is no such row.
    bool removeRow(std::size_t row);
    bool setCell(std::size_t row, ScheduleColumn column, std::string text);
    void clear();

  private:
    struct Row {
        RowId id;
        ScheduleEntry entry;
        // The description the row had when it was added; the rule for new
        // descriptions compares with these, not with later edits.
        std::string addedDescr;
        ScheduleTimes times;
    };

    std::size_t append(ScheduleEntry entry);
    bool descriptionTaken(const std::string& descr) const;

    std::vector<Row> rows_;
    RowId nextId_ = 1;
    ScheduleListObserver* observer_ = nullptr;
};

}  // namespace keyreel
