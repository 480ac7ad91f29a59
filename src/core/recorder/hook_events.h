#pragma once

// What the system-wide hooks see, handed from the hook thread to the UI
// thread inside the process. The hook thread only wakes the UI thread with
// an empty message: what a message carries could come from any program on
// the desktop, what this queue holds only from the hooks.

#include <deque>
#include <mutex>
#include <optional>

#include "core/recorder/key_event.h"

namespace keyreel {

// One event a hook saw. A record of its own, so that events of another hook
// on the same thread can join the same queue in their order.
struct HookEvent {
    enum class Kind : std::uint8_t { Key };
    Kind kind = Kind::Key;
    KeyEvent key;
};

class HookEventQueue {
  public:
    void push(const HookEvent& event) {
        const std::lock_guard lock(mutex_);
        events_.push_back(event);
    }
    // The oldest event, taken out; empty when there is none.
    std::optional<HookEvent> pop() {
        const std::lock_guard lock(mutex_);
        if (events_.empty())
            return std::nullopt;
        HookEvent event = events_.front();
        events_.pop_front();
        return event;
    }
    void clear() {
        const std::lock_guard lock(mutex_);
        events_.clear();
    }

  private:
    std::mutex mutex_;
    std::deque<HookEvent> events_;
};

}  // namespace keyreel
