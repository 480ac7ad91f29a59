#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "core/schedule/schedule_clock.h"

namespace keyreel {

struct ScheduleOptions {
    std::string path;
    LocalDateTime from;
    LocalDateTime to;
    std::int64_t tickMillis = 100;
};

// Runs the schedule pass over the schedule file at every tick from `from` to
// `to` inclusive on a simulated clock, without playing anything and without
// writing the file. Prints one line per fired entry, then "database:" and
// the bytes the database would hold after the last pass. Returns the exit
// status: 0 done, 2 the file cannot be read or the range is unusable.
int runSchedule(const ScheduleOptions& options, std::ostream& out, std::ostream& err);

}  // namespace keyreel
