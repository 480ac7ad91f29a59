#include "win32/hot_key_release.h"

#include <array>

#include "win32/send_input.h"

namespace keyreel::win32 {

namespace {

// A virtual-key code that no key has and no program reacts to; a press and
// release of it between Alt's press and release is all the program sees.
constexpr WORD kMaskKey = 0xE8;

constexpr DWORD kMenuModeFlags = GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE;

// How long after the hot key a lone Alt may still put the program in front
// into menu mode. Wine's notepad takes about 7 ms; the margin covers a busy
// machine.
constexpr ULONGLONG kMenuModeOnsetMillis = 250;
// How long the program in front gets to leave menu mode.
constexpr ULONGLONG kMenuModeExitMillis = 1000;

bool altHeld() {
    return (GetAsyncKeyState(VK_MENU) & 0x8000) != 0;
}

// The window owning the menu the foreground window's thread is in; null
// when that thread is in no menu.
HWND foregroundMenuOwner() {
    const HWND foreground = GetForegroundWindow();
    if (foreground == nullptr)
        return nullptr;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(foreground, nullptr), &info) ||
        (info.flags & kMenuModeFlags) == 0) {
        return nullptr;
    }
    return info.hwndMenuOwner != nullptr ? info.hwndMenuOwner : foreground;
}

// Handles messages until `done` holds or the time is up; true when it holds.
template <typename Condition>
bool waitUntil(Desktop& desktop, ULONGLONG millis, Condition done) {
    const ULONGLONG giveUp = GetTickCount64() + millis;
    while (!done()) {
        if (GetTickCount64() >= giveUp)
            return false;
        desktop.pauseBeforeNextPoll();
    }
    return true;
}

}  // namespace

bool maskAltRelease() {
    if (!altHeld())
        return false;
    std::array<INPUT, 2> mask{keyInput(kMaskKey, false), keyInput(kMaskKey, true)};
    sendInputs(mask);
    return altHeld();
}

void leaveMenuModeAfterAlt(Desktop& desktop) {
    HWND owner = nullptr;
    if (!waitUntil(desktop, kMenuModeOnsetMillis,
                   [&] { return (owner = foregroundMenuOwner()) != nullptr; })) {
        return;
    }
    // The default handling of WM_CANCELMODE ends menu processing. Unlike an
    // Escape key, it cannot reach a program that has left its menu meanwhile.
    PostMessageW(owner, WM_CANCELMODE, 0, 0);
    waitUntil(desktop, kMenuModeExitMillis, [] { return foregroundMenuOwner() == nullptr; });
}

void releaseHotKeyAlt(LPARAM keys, Desktop& desktop) {
    if (hotKeyHasAlt(keys) && !maskAltRelease())
        leaveMenuModeAfterAlt(desktop);
}

}  // namespace keyreel::win32
