#pragma once

// Small helpers around SendInput shared by the desktop's parts. Every event
// they make carries kOwnInputMark.

#include <windows.h>

#include <span>

namespace keyreel::win32 {

// Carried in dwExtraInfo by every input event Keyreel injects: the player's
// keys and pointer buttons and the hot keys' Alt mask. The keyboard hook of
// the recorder skips events carrying it, so a recording never holds what
// Keyreel typed itself.
inline constexpr ULONG_PTR kOwnInputMark = 0x4B52454C;  // "KREL"

// A key event with the virtual-key code only: scan code 0, no extended flag.
INPUT keyInput(WORD virtualKey, bool keyUp);
// One UTF-16 unit typed as a character, whatever the keyboard layout.
INPUT unicodeInput(wchar_t unit, bool keyUp);
// A pointer event with these flags and no movement.
INPUT mouseInput(DWORD flags);

// Sends the events as one uninterrupted sequence; false unless all went.
bool sendInputs(std::span<INPUT> inputs);

// The system lets the process that sent the last input event set the
// foreground window; a pointer move by nothing is such an event and changes
// nothing else.
void claimForegroundRight();

}  // namespace keyreel::win32
