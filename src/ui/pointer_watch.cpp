#include "ui/pointer_watch.h"

namespace keyreel::ui {

namespace {

constexpr UINT kFastMillis = 1;
// A pointer that has not moved for this long is resting; the watch then
// looks this often. The first move after a rest shows at most that late.
constexpr ULONGLONG kRestAfterMillis = 500;
constexpr UINT kRestingMillis = 100;

}  // namespace

void PointerWatch::start(HWND window, UINT_PTR timerId) {
    window_ = window;
    timerId_ = timerId;
    last_.reset();
    lastMove_ = GetTickCount64();
    fast_ = false;
    setRate(true);
}

void PointerWatch::stop() {
    timer_.stop();
    fast_ = false;
}

void PointerWatch::setRate(bool fast) {
    if (fast == fast_ && timer_.running())
        return;
    fast_ = fast;
    timer_.start(window_, timerId_, fast ? kFastMillis : kRestingMillis);
}

void PointerWatch::hurry() {
    if (!timer_.running())
        return;
    lastMove_ = GetTickCount64();
    setRate(true);
}

std::optional<POINT> PointerWatch::tick() {
    POINT position{};
    if (!GetCursorPos(&position))
        return std::nullopt;
    const ULONGLONG now = GetTickCount64();
    if (last_ && last_->x == position.x && last_->y == position.y) {
        if (fast_ && now - lastMove_ >= kRestAfterMillis)
            setRate(false);
        return std::nullopt;
    }
    last_ = position;
    lastMove_ = now;
    setRate(true);
    return position;
}

}  // namespace keyreel::ui
