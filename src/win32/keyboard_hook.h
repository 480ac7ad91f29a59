#pragma once

// The recorder's system-wide keyboard hook: every key pressed or released
// anywhere, except what Keyreel injects itself, reported to a window of this
// program as key down or up with the key code and the shift mask.
//
// The low-level hook lives on a thread of its own whose only work is to post
// each event to the owner window. On the UI thread it would hold up every
// key press in the system whenever that thread is busy (a play of moves and
// clicks handles no messages for a while), and Windows silently removes a
// hook that keeps it waiting too long.

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <future>
#include <thread>

namespace keyreel::win32 {

class KeyboardHookListener {
  public:
    virtual ~KeyboardHookListener() = default;
    // `keyCode` is a virtual-key code, Shift, Ctrl and Alt by their generic
    // codes 16, 17, 18 whichever side; `shift` is the shift mask (1 Shift,
    // 2 Ctrl, 4 Alt) once the event has happened.
    virtual void keyDown(std::uint8_t keyCode, int shift) = 0;
    virtual void keyUp(std::uint8_t keyCode, int shift) = 0;
};

class KeyboardHook {
  public:
    // The events are posted to `owner`, whose window procedure hands every
    // message to handle(); one hook per owner window.
    KeyboardHook(HWND owner, KeyboardHookListener& listener);
    // Removes the hook.
    ~KeyboardHook() { endHook(); }
    KeyboardHook(const KeyboardHook&) = delete;
    KeyboardHook& operator=(const KeyboardHook&) = delete;

    // Installs the hook, replacing one installed before; once this returns,
    // every key event is reported. The modifiers start from the keyboard's
    // state of this moment. False when the system refused the hook.
    bool beginHook();
    // Removes the hook; events it posted and the owner has not handled yet
    // are not reported either. Harmless when there is no hook.
    void endHook();
    // Whether the system hook is in place. It removes itself once the owner
    // window is gone.
    bool active() const { return active_; }

    // Call from the owner's window procedure: when the message is an event
    // of this hook, tells the listener and returns true.
    bool handle(UINT message, WPARAM wParam, LPARAM lParam);

  private:
    void watch(LPARAM session, std::promise<bool>& installed);

    HWND owner_;  // not owned: the window the events are posted to
    KeyboardHookListener& listener_;
    const UINT eventMessage_;
    // Stamped on every posted event, so events of an ended hook are dropped;
    // 0 while there is no hook.
    LPARAM session_ = 0;
    LPARAM lastSession_ = 0;
    std::thread thread_;
    DWORD threadId_ = 0;
    std::atomic<bool> active_ = false;
};

}  // namespace keyreel::win32
