#pragma once

// The scheduler's clock on Windows: the system's local time, to the
// millisecond, so that the scheduler's timer can wake at the next second.

#include "core/schedule/schedule_clock.h"

namespace keyreel::win32 {

class SystemClock final : public Clock {
  public:
    LocalDateTime now() override;
};

}  // namespace keyreel::win32
