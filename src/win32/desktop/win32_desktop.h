#pragma once

// The desktop the player drives on Windows: synthetic input through
// SendInput, the top-level windows of the session, programs, the shell and
// message boxes. Create it on the user-interface thread and use it there
// only: its timers and waits belong to that thread's message queue.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <optional>

#include "core/macro/desktop.h"
#include "win32/owned.h"
#include "win32/window_changes.h"

namespace keyreel::win32 {

class Win32Desktop final : public Desktop {
  public:
    Win32Desktop();
    ~Win32Desktop() override;
    Win32Desktop(const Win32Desktop&) = delete;
    Win32Desktop& operator=(const Win32Desktop&) = delete;

    // The window that owns message boxes (the main window); null for none.
    void setMessageOwner(HWND owner) { messageOwner_ = owner; }
    // Sees every message pumped here before it is dispatched, so that dialog
    // navigation and accelerators work during a run; true swallows it.
    void setMessageFilter(std::function<bool(MSG&)> filter) { messageFilter_ = std::move(filter); }
    // Set once a WM_QUIT was met (and posted again). From then on the waits
    // still take their time but no longer pump the queue, where the quit
    // message would come back at once.
    bool quitSeen() const { return quitCode_.has_value(); }
    // Told after every pointer move of a play, which the system reports to
    // no one: the displays of the pointer's position look again at once.
    void setPointerMoveListener(std::function<void()> listener) {
        pointerMoved_ = std::move(listener);
    }
    // Handles messages until one tick of a 1 ms timer.
    void pauseOneTick();

    bool keyEvent(std::uint8_t virtualKey, bool keyUp) override;
    bool typeCharacter(char32_t character) override;
    bool tapAlt() override;

    bool moveCursor(int x, int y) override;
    bool mouseButton(std::uint32_t flags) override;

    std::vector<std::string> windowTitles() override;
    bool closeWindow(const std::string& exactTitle) override;
    bool activateWindow(const std::string& exactTitle) override;

    StartResult startProgram(const std::string& commandLine) override;
    bool shellOpen(const std::string& path) override;
    MessageAnswer showMessage(const MessageRequest& request) override;

    void processPendingMessages() override;
    void processMessagesWhenDue() override;
    void waitForMessages(std::int64_t deadlineMillis) override;
    void windowWaitBegins() override { windowChanges_.begin(); }
    void windowWaitEnds() override { windowChanges_.end(); }
    void pauseBeforeNextPoll() override;
    void typingPause() override;
    void doubleClickGap() override;
    std::int64_t localTimeMillis() override;

  private:
    static LRESULT CALLBACK tickWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Handles every message waiting in the queue; true when there was one.
    bool dispatchPending();
    // Handles messages until one tick of a timer with this interval.
    void waitOneTick(UINT intervalMillis);
    // Handles messages until a window change is heard, a message was
    // handled, or the time is up.
    void waitForWindowChange(DWORD timeoutMillis);
    void tickArrived(UINT_PTR timerId);

    // A message-only window whose timers measure the pauses.
    OwnedWindow tickWindow_;
    bool ownsTickClass_ = false;
    // The pauses under way, by timer id; nested pauses have their own timers.
    std::map<UINT_PTR, bool*> pendingTicks_;
    UINT_PTR nextTimerId_ = 1;

    WindowChanges windowChanges_;

    HWND messageOwner_ = nullptr;  // not owned: the main window
    std::function<bool(MSG&)> messageFilter_;
    std::function<void()> pointerMoved_;
    std::optional<int> quitCode_;
    // GetTickCount64 when processMessagesWhenDue last handled messages.
    ULONGLONG lastDueTicks_ = 0;
};

}  // namespace keyreel::win32
