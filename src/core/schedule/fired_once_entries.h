#pragma once

// Once entries fired in this run of the program whose removal has not yet
// reached the database. The program keeps one for its whole run: the
// scheduler window can be closed and loaded again, and a once entry whose
// removal could not be saved is still in the file then. Such a row is taken
// out of the list as it loads, so it never fires a second time.

#include <cstddef>
#include <vector>

#include "core/schedule/schedule_list.h"

namespace keyreel {

class FiredOnceEntries {
  public:
    // Told as a once entry fires, before its removal is saved.
    void fired(const ScheduleEntry& entry) { entries_.push_back(entry); }
    // Every save writes the whole list, which no longer holds them.
    void databaseSaved() { entries_.clear(); }
    bool empty() const { return entries_.empty(); }

    // Takes out of a list just loaded one row for each fired entry that the
    // file still holds; returns how many it took.
    std::size_t removeFiredRows(ScheduleList& list) const;

  private:
    std::vector<ScheduleEntry> entries_;
};

}  // namespace keyreel
