#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace keyreel {

struct TraceOptions {
    std::string path;
    std::vector<std::string> windows;  // top of the stacking order first
    bool answerNo = false;
    std::int64_t maxEvents = 10000;  // printed lines before the run is stopped
};

// Plays the macro file against a simulated desktop and prints one line per
// event; a run that does not end by itself is stopped after `maxEvents`
// lines, or after a long stretch without any, and says so. Returns the exit
// status: 0 played, 2 file unreadable or holding NUL characters.
int runTrace(const TraceOptions& options, std::ostream& out, std::ostream& err);

}  // namespace keyreel
