#pragma once

// What a kyr command line asks for, read without touching any file.

#include <string>
#include <vector>

#include "schedule.h"
#include "trace.h"

namespace keyreel {

inline constexpr const char* kKyrUsage =
    "usage:\n"
    "  kyr trace FILE [--window TITLE]... [--answer yes|no] [--max-events N]\n"
    "  kyr lint FILE\n"
    "  kyr schedule FILE --from \"M/D/YYYY H:MM:SS\" --to \"M/D/YYYY H:MM:SS\" [--tick MS]\n";
inline constexpr const char* kScheduleUsage =
    "usage: kyr schedule FILE --from \"M/D/YYYY H:MM:SS\" --to \"M/D/YYYY H:MM:SS\" [--tick MS]\n";

struct KyrRequest {
    enum class Kind { Trace, Lint, Schedule, Help, Wrong };
    Kind kind = Kind::Wrong;
    TraceOptions trace;
    std::string lintPath;
    ScheduleOptions schedule;
    // For Wrong: what is wrong, and the usage to show with it.
    std::string problem;
    const char* usage = kKyrUsage;
};

// The arguments after the program's name.
KyrRequest parseKyrArguments(const std::vector<std::string>& args);

}  // namespace keyreel
