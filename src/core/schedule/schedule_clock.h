#pragma once

// The scheduler's clock: local date and time of day. The Windows build reads
// the system's local time; tests and kyr use a simulated clock.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/schedule/schedule_entry.h"

namespace keyreel {

struct LocalDateTime {
    int year = 2000;
    int month = 1;  // 1 to 12
    int day = 1;    // 1 to 31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;  // 0 to 999
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual LocalDateTime now() = 0;
};

// The current moment as the schedule pass compares it; the weekday follows
// from the date.
struct ScheduleMoment {
    Date today;
    int secondOfDay = 0;
    int weekday = 1;  // 1 = Sunday to 7 = Saturday
};

ScheduleMoment momentOf(const LocalDateTime& time);

// "M/D/YYYY H:MM:SS", read as run dates and run times are; empty otherwise.
std::optional<LocalDateTime> parseLocalDateTime(std::string_view text);
// "M/dd/yyyy h:nn:ss".
std::string localDateTimeText(const LocalDateTime& time);

// What the scheduler window's clock labels show for a moment: the date under
// "M/dd/yyyy", the time under "h:nn:ss" and the weekday's English name.
struct ClockLabels {
    std::string date;
    std::string time;
    std::string weekday;

    bool operator==(const ClockLabels&) const = default;
};

ClockLabels clockLabels(const LocalDateTime& time);

// Milliseconds from `time` to the start of the next second, 1 to 1000: the
// scheduler's clock wakes at every second boundary, which gives the pass one
// run in every second and the labels their one change per second.
int millisToNextSecond(const LocalDateTime& time);

// A clock that shows whatever it is set to, to the millisecond.
class SimulatedClock final : public Clock {
  public:
    // Milliseconds since 1970-01-01 00:00 local time.
    std::int64_t millis = 0;

    void set(const LocalDateTime& time);
    void advanceMillis(std::int64_t delta) { millis += delta; }
    LocalDateTime now() override;
};

}  // namespace keyreel
