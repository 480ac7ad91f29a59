#include "win32/keyboard_hook.h"

#include "core/base/key_codes.h"
#include "core/recorder/key_event.h"
#include "win32/owned.h"
#include "win32/pointer_sampler.h"
#include "win32/send_input.h"

namespace keyreel::win32 {

namespace {

void unhook(HHOOK hook) {
    UnhookWindowsHookEx(hook);
}
using OwnedHook = Owned<HHOOK, unhook>;

// What the hook thread needs to report an event.
struct HookThreadState {
    HWND owner;
    UINT wakeUpMessage;
    HookEventQueue& events;
    ModifierState modifiers;
};

// The hook procedure has no parameter of its own; it runs on the hook
// thread, which finds its state here.
thread_local HookThreadState* hookThreadState = nullptr;

void queue(HookThreadState& state, const HookEvent& event) {
    state.events.push(event);
    if (!PostMessageW(state.owner, state.wakeUpMessage, 0, 0) && !IsWindow(state.owner)) {
        // Nobody is left to report to: end the thread, which removes the hooks.
        PostQuitMessage(0);
    }
}

void reportKey(HookThreadState& state, const KBDLLHOOKSTRUCT& key) {
    if (key.dwExtraInfo == kOwnInputMark)
        return;
    HookEvent event;
    event.key =
        state.modifiers.note(static_cast<std::uint8_t>(key.vkCode), (key.flags & LLKHF_UP) == 0);
    queue(state, event);
}

// The hook sees the physical buttons: with the buttons swapped, the right
// button's press still comes as WM_RBUTTONDOWN.
std::optional<ButtonEvent> buttonOf(WPARAM message) {
    switch (message) {
        case WM_LBUTTONDOWN:
            return ButtonEvent{button::Left, true, {}, false};
        case WM_LBUTTONUP:
            return ButtonEvent{button::Left, false, {}, false};
        case WM_RBUTTONDOWN:
            return ButtonEvent{button::Right, true, {}, false};
        case WM_RBUTTONUP:
            return ButtonEvent{button::Right, false, {}, false};
        default:
            return std::nullopt;
    }
}

void reportButton(HookThreadState& state, WPARAM message, const MSLLHOOKSTRUCT& mouse) {
    if ((mouse.flags & LLMHF_INJECTED) != 0 && mouse.dwExtraInfo == kOwnInputMark)
        return;
    std::optional<ButtonEvent> button = buttonOf(message);
    if (!button)
        return;
    button->point = {mouse.pt.x, mouse.pt.y};
    // Asked here rather than when the event is handled: by then a menu
    // clicked on may be gone.
    button->onOwnWindow = isOwnWindowAt(mouse.pt);
    HookEvent event;
    event.kind = HookEvent::Kind::Button;
    event.button = *button;
    queue(state, event);
}

LRESULT CALLBACK lowLevelKeyboard(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && hookThreadState != nullptr)
        reportKey(*hookThreadState, *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK lowLevelMouse(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && hookThreadState != nullptr)
        reportButton(*hookThreadState, wParam, *reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

bool isDownNow(std::uint8_t virtualKey) {
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

}  // namespace

KeyboardHook::KeyboardHook(HWND owner, KeyboardHookListener& listener)
    : owner_(owner),
      listener_(listener),
      wakeUpMessage_(RegisterWindowMessageW(L"Keyreel keyboard hook event")) {}

bool KeyboardHook::beginHook() {
    endHook();
    std::promise<bool> installed;
    std::future<bool> result = installed.get_future();
    thread_ = std::thread([this, installed = std::move(installed)]() mutable { watch(installed); });
    if (result.get())
        return true;
    endHook();
    return false;
}

void KeyboardHook::endHook() {
    if (thread_.joinable()) {
        // Fails harmlessly when the thread has ended already.
        PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }
    // Their wake-ups may still come, and find nothing.
    events_.clear();
}

void KeyboardHook::watch(std::promise<bool>& installed) {
    threadId_ = GetCurrentThreadId();
    MSG message;
    // Gives the thread its message queue, which endHook posts WM_QUIT to.
    PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);
    OwnedHook keyboardHook(
        SetWindowsHookExW(WH_KEYBOARD_LL, &lowLevelKeyboard, GetModuleHandleW(nullptr), 0));
    OwnedHook mouseHook(
        SetWindowsHookExW(WH_MOUSE_LL, &lowLevelMouse, GetModuleHandleW(nullptr), 0));
    // Seeded only now: an event that came since the hook was set has not
    // reached the key state yet (the system updates it once the hooks have
    // seen the event), so no modifier change falls between the two.
    HookThreadState state{owner_, wakeUpMessage_, events_, ModifierState::seeded(isDownNow)};
    hookThreadState = &state;
    active_ = keyboardHook && mouseHook;
    installed.set_value(active_);
    // The system calls the hook procedures from inside GetMessageW.
    while (active_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
    }
    keyboardHook.reset();
    mouseHook.reset();
    hookThreadState = nullptr;
    active_ = false;
}

// One event at a time: a listener that ends the hook ends the reports too.
bool KeyboardHook::handle(UINT message) {
    if (message != wakeUpMessage_)
        return false;
    while (const std::optional<HookEvent> event = events_.pop()) {
        if (event->kind == HookEvent::Kind::Button)
            listener_.buttonEvent(event->button);
        else if (event->key.down)
            listener_.keyDown(event->key.keyCode, event->key.shift);
        else
            listener_.keyUp(event->key.keyCode, event->key.shift);
    }
    return true;
}

}  // namespace keyreel::win32
