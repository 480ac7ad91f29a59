#include "win32/keyboard_hook.h"

#include "core/recorder/key_event.h"
#include "win32/owned.h"
#include "win32/send_input.h"

namespace keyreel::win32 {

namespace {

// An event as posted: the key code in bits 0-7, the shift mask in bits 8-10,
// bit 11 set for a key going down.
constexpr WPARAM kDownBit = 0x800;

WPARAM packed(const KeyEvent& event) {
    return event.keyCode | (static_cast<WPARAM>(event.shift & 7) << 8) |
           (event.down ? kDownBit : 0);
}

KeyEvent unpacked(WPARAM wParam) {
    return {static_cast<std::uint8_t>(wParam & 0xFF), static_cast<int>((wParam >> 8) & 7),
            (wParam & kDownBit) != 0};
}

void unhook(HHOOK hook) {
    UnhookWindowsHookEx(hook);
}
using OwnedHook = Owned<HHOOK, unhook>;

// What the hook thread needs to report an event.
struct HookThreadState {
    HWND owner;
    UINT eventMessage;
    LPARAM session;
    ModifierState modifiers;
};

// The hook procedure has no parameter of its own; it runs on the hook
// thread, which finds its state here.
thread_local HookThreadState* hookThreadState = nullptr;

void report(HookThreadState& state, const KBDLLHOOKSTRUCT& key) {
    if (key.dwExtraInfo == kOwnInputMark)
        return;
    const KeyEvent event =
        state.modifiers.note(static_cast<std::uint8_t>(key.vkCode), (key.flags & LLKHF_UP) == 0);
    if (!PostMessageW(state.owner, state.eventMessage, packed(event), state.session) &&
        !IsWindow(state.owner)) {
        // Nobody is left to report to: end the thread, which removes the hook.
        PostQuitMessage(0);
    }
}

LRESULT CALLBACK lowLevelKeyboard(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && hookThreadState != nullptr)
        report(*hookThreadState, *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool isDownNow(std::uint8_t virtualKey) {
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

}  // namespace

KeyboardHook::KeyboardHook(HWND owner, KeyboardHookListener& listener)
    : owner_(owner),
      listener_(listener),
      eventMessage_(RegisterWindowMessageW(L"Keyreel keyboard hook event")) {}

bool KeyboardHook::beginHook() {
    endHook();
    session_ = ++lastSession_;
    std::promise<bool> installed;
    std::future<bool> result = installed.get_future();
    thread_ = std::thread([this, session = session_, installed = std::move(installed)]() mutable {
        watch(session, installed);
    });
    if (result.get())
        return true;
    endHook();
    return false;
}

void KeyboardHook::endHook() {
    session_ = 0;
    if (!thread_.joinable())
        return;
    // Fails harmlessly when the thread has ended already.
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
}

void KeyboardHook::watch(LPARAM session, std::promise<bool>& installed) {
    threadId_ = GetCurrentThreadId();
    MSG message;
    // Gives the thread its message queue, which endHook posts WM_QUIT to.
    PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    OwnedHook hook(
        SetWindowsHookExW(WH_KEYBOARD_LL, &lowLevelKeyboard, GetModuleHandleW(nullptr), 0));
    // Seeded only now: an event that came since the hook was set has not
    // reached the key state yet (the system updates it once the hooks have
    // seen the event), so no modifier change falls between the two.
    HookThreadState state{owner_, eventMessage_, session, ModifierState::seeded(isDownNow)};
    hookThreadState = &state;
    active_ = static_cast<bool>(hook);
    installed.set_value(active_);
    // The system calls the hook procedure from inside GetMessageW.
    while (hook && GetMessageW(&message, nullptr, 0, 0) > 0) {
    }
    hook.reset();
    hookThreadState = nullptr;
    active_ = false;
}

bool KeyboardHook::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != eventMessage_)
        return false;
    if (lParam != session_ || session_ == 0)
        return true;
    const KeyEvent event = unpacked(wParam);
    if (event.down)
        listener_.keyDown(event.keyCode, event.shift);
    else
        listener_.keyUp(event.keyCode, event.shift);
    return true;
}

}  // namespace keyreel::win32
