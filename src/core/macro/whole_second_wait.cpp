#include "core/macro/whole_second_wait.h"

#include <algorithm>

namespace keyreel {

namespace {

std::int64_t wholeSeconds(std::int64_t millis) {
    return millis >= 0 ? millis / 1000 : -((-millis + 999) / 1000);
}

}  // namespace

void waitSeconds(Desktop& desktop, std::int64_t seconds, const std::function<bool()>& keepWaiting) {
    std::int64_t now = desktop.localTimeMillis();
    std::int64_t end = now + seconds * 1000;
    while (now < end && keepWaiting()) {
        desktop.waitForMessages(std::min(end, now + 1000));
        const std::int64_t before = now;
        now = desktop.localTimeMillis();
        if (now < before)
            end -= before - now;
    }
    desktop.waitEnded();
}

void waitWholeSeconds(Desktop& desktop, std::int64_t seconds,
                      const std::function<bool()>& keepWaiting,
                      const std::function<void(std::int64_t)>& elapsedChanged) {
    const std::int64_t start = wholeSeconds(desktop.localTimeMillis());
    std::int64_t elapsed = 0;
    while (elapsed < seconds && (!keepWaiting || keepWaiting())) {
        // Wake at the next whole second at the latest, so a clock set back
        // is noticed and the count shown stays current.
        desktop.waitForMessages((start + elapsed + 1) * 1000);
        const std::int64_t now = wholeSeconds(desktop.localTimeMillis()) - start;
        if (now != elapsed && elapsedChanged)
            elapsedChanged(now);
        elapsed = now;
    }
    desktop.waitEnded();
}

}  // namespace keyreel
