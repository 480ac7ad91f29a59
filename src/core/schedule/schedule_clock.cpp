#include "core/schedule/schedule_clock.h"

#include <algorithm>

namespace keyreel {

namespace {

using namespace std::chrono;

constexpr std::int64_t kSecondsPerDay = 86400;

std::int64_t floorDiv(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

LocalDateTime localDateTimeOf(Date date, int secondOfDay, int millisecond = 0) {
    const year_month_day ymd(date);
    return {static_cast<int>(ymd.year()),
            static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day())),
            secondOfDay / 3600,
            secondOfDay / 60 % 60,
            secondOfDay % 60,
            millisecond};
}

}  // namespace

ScheduleMoment momentOf(const LocalDateTime& time) {
    const Date today =
        sys_days(year_month_day(year(time.year), month(static_cast<unsigned>(time.month)),
                                day(static_cast<unsigned>(time.day))));
    return {today, time.hour * 3600 + time.minute * 60 + time.second, weekdayNumber(today)};
}

std::optional<LocalDateTime> parseLocalDateTime(std::string_view text) {
    const auto blank = text.find(' ');
    if (blank == std::string_view::npos)
        return std::nullopt;
    const auto date = parseRunDate(text.substr(0, blank));
    const auto time = parseRunTime(text.substr(blank + 1));
    if (!date || !time)
        return std::nullopt;
    return localDateTimeOf(*date, *time);
}

std::string localDateTimeText(const LocalDateTime& time) {
    const ScheduleMoment moment = momentOf(time);
    return runDateText(moment.today) + " " + runTimeText(moment.secondOfDay);
}

ClockLabels clockLabels(const LocalDateTime& time) {
    const ScheduleMoment moment = momentOf(time);
    return {runDateText(moment.today), runTimeText(moment.secondOfDay),
            std::string(weekdayName(moment.weekday))};
}

int millisToNextSecond(const LocalDateTime& time) {
    return 1000 - std::clamp(time.millisecond, 0, 999);
}

void SimulatedClock::set(const LocalDateTime& time) {
    const ScheduleMoment moment = momentOf(time);
    millis =
        (moment.today.time_since_epoch().count() * kSecondsPerDay + moment.secondOfDay) * 1000 +
        time.millisecond;
}

LocalDateTime SimulatedClock::now() {
    const std::int64_t seconds = floorDiv(millis, 1000);
    const std::int64_t days = floorDiv(seconds, kSecondsPerDay);
    return localDateTimeOf(Date(std::chrono::days(days)),
                           static_cast<int>(seconds - days * kSecondsPerDay),
                           static_cast<int>(millis - seconds * 1000));
}

}  // namespace keyreel
