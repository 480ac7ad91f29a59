#include "core/schedule/fired_once_entries.h"

namespace keyreel {

std::size_t FiredOnceEntries::removeFiredRows(ScheduleList& list) const {
    std::size_t removed = 0;
    for (const ScheduleEntry& fired : entries_) {
        for (std::size_t row = 0; row < list.rowCount(); ++row) {
            if (list.entry(row) == fired) {
                list.removeRow(row);
                ++removed;
                break;
            }
        }
    }
    return removed;
}

}  // namespace keyreel
