#pragma once

#include <cstdint>
#include <functional>

#include "core/macro/desktop.h"

namespace keyreel {

// Waits `seconds` full seconds by the wall clock, handling window messages
// meanwhile without spinning. `keepWaiting` is asked at every wake-up, at
// least once a second, and ends the wait early when it says no. A clock set
// back meanwhile does not lengthen the wait.
void waitSeconds(Desktop& desktop, std::int64_t seconds, const std::function<bool()>& keepWaiting);

// Waits until the wall clock, read to the whole second, is `seconds` past the
// reading at the start, handling window messages meanwhile without spinning.
// So the wait lasts between seconds - 1 and seconds. `keepWaiting` is asked
// after every wake-up and ends the wait early when it says no; `elapsedChanged`
// hears every new count of elapsed whole seconds.
void waitWholeSeconds(Desktop& desktop, std::int64_t seconds,
                      const std::function<bool()>& keepWaiting = {},
                      const std::function<void(std::int64_t)>& elapsedChanged = {});

}  // namespace keyreel
