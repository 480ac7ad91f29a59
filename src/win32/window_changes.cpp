#include "win32/window_changes.h"

namespace keyreel::win32 {

namespace {

// How long after a change every tick searches again.
constexpr ULONGLONG kBurstMillis = 500;

// The listener of this thread: the event callback has no context of its own.
// Set only while a window wait is under way.
thread_local WindowChanges* listener = nullptr;

bool isTopLevel(HWND window) {
    return window != nullptr && GetAncestor(window, GA_PARENT) == GetDesktopWindow();
}

}  // namespace

WindowChanges::~WindowChanges() {
    if (listening() && listener == this)
        listener = previous_;
}

void WindowChanges::begin() {
    if (waits_++ > 0)
        return;
    previous_ = listener;
    listener = this;
    changed_ = false;
    // Two hooks: the range between the two events holds the location
    // changes, which the pointer raises on every move.
    created_.reset(SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr, &onEvent, 0,
                                   0, WINEVENT_OUTOFCONTEXT));
    renamed_.reset(SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr,
                                   &onEvent, 0, 0, WINEVENT_OUTOFCONTEXT));
}

void WindowChanges::end() {
    if (waits_ == 0 || --waits_ > 0)
        return;
    created_.reset();
    renamed_.reset();
    if (listener == this)
        listener = previous_;
    previous_ = nullptr;
}

bool WindowChanges::takeChange() {
    const bool changed = changed_;
    changed_ = false;
    return changed;
}

bool WindowChanges::inBurst() const {
    return lastChange_ != 0 && GetTickCount64() - lastChange_ < kBurstMillis;
}

void WindowChanges::heard() {
    changed_ = true;
    lastChange_ = GetTickCount64();
}

void CALLBACK WindowChanges::onEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child,
                                     DWORD, DWORD) {
    if (listener != nullptr && object == OBJID_WINDOW && child == CHILDID_SELF &&
        isTopLevel(window)) {
        listener->heard();
    }
}

}  // namespace keyreel::win32
