#pragma once

// What the system-wide hooks see, handed from the hook thread to the UI
// thread inside the process. The hook thread only wakes the UI thread with
// an empty message: what a message carries could come from any program on
// the desktop, what this queue holds only from the hooks.

#include <deque>
#include <mutex>
#include <optional>

#include "core/base/screen_point.h"
#include "core/recorder/key_event.h"

namespace keyreel {

// A mouse button pressed or released. The button is the physical one, as
// the low-level hook reports it whichever button the system's setting makes
// the primary one; the player's button lines send physical buttons too.
struct ButtonEvent {
    std::uint8_t button = 0;  // button::Left or button::Right
    bool down = false;
    ScreenPoint point;  // where it happened, in screen pixels
    // Over a window of this process, such as the recorder's own buttons and
    // menus: tested by the hook, since a menu may be gone by the time the
    // event is handled.
    bool onOwnWindow = false;

    bool operator==(const ButtonEvent&) const = default;
};

// One event a hook saw. The keyboard and mouse hooks share a thread and a
// queue, so their events keep the order they happened in.
struct HookEvent {
    enum class Kind : std::uint8_t { Key, Button };
    Kind kind = Kind::Key;
    KeyEvent key;
    ButtonEvent button;
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
