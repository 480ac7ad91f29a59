// Every wait of the desktop blocks in MsgWaitForMultipleObjectsEx until a
// message arrives or its time is up, and handles the messages as they come,
// so a waiting player costs no processor time and still answers at once.

#include <algorithm>

#include "win32/desktop/win32_desktop.h"

namespace keyreel::win32 {

namespace {

// The longest single block of waitForMessages: the wall clock is read again
// at least this often, so a clock that is set while waiting is noticed.
constexpr std::int64_t kLongestBlockMillis = 1000;

// How often a run of lines without processing points of their own lets
// messages through: often enough that Stop and the windows answer at once,
// seldom enough that the clock reading between is all a line pays. Windows
// advances GetTickCount64 about every 16 ms, so that is what it comes to.
constexpr ULONGLONG kDueMillis = 10;

constexpr UINT kTypingTickMillis = 1;
constexpr UINT kDoubleClickTickMillis = 10;
// While the system reports new windows, a window wait still searches this
// often for what it does not report (Wine reports no renaming). A search
// costs well under a millisecond; four a second keep an idle wait near 0.1%
// of a core, and a renamed window is found a quarter second late at most.
constexpr DWORD kUnreportedChangeMillis = 250;
// For a short while after a window was made, its title may still change
// without a word: the wait searches about once a timer tick then.
constexpr DWORD kAfterChangeMillis = 10;

void blockUntilMessage(DWORD timeoutMillis) {
    MsgWaitForMultipleObjectsEx(0, nullptr, timeoutMillis, QS_ALLINPUT, 0);
}

// Keeps a pause's timer registered for as long as the pause waits.
class TickTimer {
  public:
    TickTimer(HWND window, UINT_PTR id, std::map<UINT_PTR, bool*>& pending, bool& fired)
        : window_(window), id_(id), pending_(pending) {
        pending_[id_] = &fired;
    }
    ~TickTimer() {
        KillTimer(window_, id_);
        pending_.erase(id_);
    }
    TickTimer(const TickTimer&) = delete;
    TickTimer& operator=(const TickTimer&) = delete;

    bool start(UINT intervalMillis) { return SetTimer(window_, id_, intervalMillis, nullptr) != 0; }

  private:
    HWND window_;  // not owned: the desktop's tick window
    UINT_PTR id_;
    std::map<UINT_PTR, bool*>& pending_;
};

}  // namespace

bool Win32Desktop::dispatchPending() {
    bool handled = false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The application's own loop must still see it to end.
            quitCode_ = static_cast<int>(message.wParam);
            PostQuitMessage(*quitCode_);
            return true;
        }
        handled = true;
        if (messageFilter_ && messageFilter_(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return handled;
}

void Win32Desktop::processPendingMessages() {
    dispatchPending();
}

void Win32Desktop::processMessagesWhenDue() {
    const ULONGLONG now = GetTickCount64();
    if (now - lastDueTicks_ < kDueMillis || quitSeen())
        return;
    lastDueTicks_ = now;
    dispatchPending();
}

void Win32Desktop::waitForMessages(std::int64_t deadlineMillis) {
    if (!quitSeen() && dispatchPending())
        return;
    for (;;) {
        const std::int64_t left = deadlineMillis - localTimeMillis();
        if (left <= 0)
            return;
        const auto block = static_cast<DWORD>(std::min(left, kLongestBlockMillis));
        if (quitSeen()) {
            Sleep(block);
            continue;
        }
        blockUntilMessage(block);
        if (dispatchPending())
            return;
    }
}

void Win32Desktop::waitOneTick(UINT intervalMillis) {
    if (quitSeen() || !tickWindow_) {
        Sleep(intervalMillis);
        return;
    }
    bool fired = false;
    TickTimer timer(tickWindow_.get(), nextTimerId_++, pendingTicks_, fired);
    if (!timer.start(intervalMillis)) {
        Sleep(intervalMillis);
        return;
    }
    // A nested run started from a message handled here waits on timers of
    // its own; this pause's tick may arrive inside it and is noted all the
    // same.
    while (!fired && !quitSeen()) {
        if (!dispatchPending())
            blockUntilMessage(INFINITE);
    }
}

void Win32Desktop::pauseOneTick() {
    waitOneTick(kTypingTickMillis);
}

void Win32Desktop::pauseBeforeNextPoll() {
    if (!windowChanges_.listening()) {
        waitOneTick(kTypingTickMillis);
        return;
    }
    if (windowChanges_.takeChange())
        return;
    waitForWindowChange(windowChanges_.inBurst() ? kAfterChangeMillis : kUnreportedChangeMillis);
}

void Win32Desktop::waitForWindowChange(DWORD timeoutMillis) {
    if (quitSeen()) {
        Sleep(timeoutMillis);
        return;
    }
    const ULONGLONG deadline = GetTickCount64() + timeoutMillis;
    // The events are handled inside PeekMessage, which then may retrieve
    // no message at all.
    while (!dispatchPending() && !windowChanges_.takeChange() && !quitSeen()) {
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return;
        blockUntilMessage(static_cast<DWORD>(deadline - now));
    }
}

void Win32Desktop::typingPause() {
    waitOneTick(kTypingTickMillis);
}

void Win32Desktop::doubleClickGap() {
    waitOneTick(kDoubleClickTickMillis);
}

}  // namespace keyreel::win32
