#pragma once

// The recorder's system-wide keyboard and mouse hooks: every key and mouse
// button pressed or released anywhere, except what Keyreel injects itself,
// reported to a window of this program: keys as down or up with the key code
// and the shift mask, buttons with the point they were pressed at.
//
// The low-level hooks live on a thread of their own whose only work is to
// queue each event and wake the owner window with a message that carries
// nothing. On the UI thread they would hold up every key press and click in
// the system whenever that thread is busy (a play of moves and clicks handles
// no messages for a while), and Windows silently removes a hook that keeps it
// waiting too long.

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <future>
#include <thread>

#include "core/recorder/hook_events.h"

namespace keyreel::win32 {

class KeyboardHookListener {
  public:
    virtual ~KeyboardHookListener() = default;
    // `keyCode` is a virtual-key code, Shift, Ctrl and Alt by their generic
    // codes 16, 17, 18 whichever side; `shift` is the shift mask (1 Shift,
    // 2 Ctrl, 4 Alt) once the event has happened.
    virtual void keyDown(std::uint8_t keyCode, int shift) = 0;
    virtual void keyUp(std::uint8_t keyCode, int shift) = 0;
    // A physical button, as the mouse reports it whichever one the system
    // makes the primary button; pointer moves are not reported.
    virtual void buttonEvent(const ButtonEvent& event) = 0;
};

class KeyboardHook {
  public:
    // `owner` is woken for the events, and its window procedure hands every
    // message to handle(); one hook per owner window.
    KeyboardHook(HWND owner, KeyboardHookListener& listener);
    // Removes the hook.
    ~KeyboardHook() { endHook(); }
    KeyboardHook(const KeyboardHook&) = delete;
    KeyboardHook& operator=(const KeyboardHook&) = delete;

    // Installs the hooks, replacing those installed before; once this
    // returns, every key and button event is reported. The modifiers start
    // from the keyboard's state of this moment. False when the system
    // refused a hook.
    bool beginHook();
    // Removes the hook; events it queued and the owner has not handled yet
    // are not reported either. Harmless when there is no hook.
    void endHook();
    // Whether the system hooks are in place. They remove themselves once the
    // owner window is gone.
    bool active() const { return active_; }

    // Call from the owner's window procedure: when the message is this
    // hook's wake-up, tells the listener every event queued and returns true.
    // The message's parameters are not looked at: any program may post it.
    bool handle(UINT message);

  private:
    void watch(std::promise<bool>& installed);

    HWND owner_;  // not owned: the window woken for the events
    KeyboardHookListener& listener_;
    const UINT wakeUpMessage_;
    // Filled by the hook thread, emptied by the owner's thread.
    HookEventQueue events_;
    std::thread thread_;
    DWORD threadId_ = 0;
    std::atomic<bool> active_ = false;
};

}  // namespace keyreel::win32
