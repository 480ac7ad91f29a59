#pragma once

// What a user does with the mouse and the keyboard, done for real on the X
// display with xdotool: input that no program injected, for windows of this
// process or another. Each call returns once xdotool has ended; what it did
// may still be on its way, so callers wait for its effect.

#include <windows.h>

#include <string>

namespace keyreel::probe {

// Clicks the middle of the window with the left button (twice for a double
// click) once the pointer is over it and the display has it where Wine has it.
bool clickOn(HWND window);
bool doubleClickOn(HWND window);
// Clicks the list box's line `index` (the list is not scrolled) `clicks` times.
bool clickListLine(HWND listBox, int index, int clicks = 1);
bool movePointerTo(int x, int y);
// Clicks with the left button at this point of the screen, `times` times in
// quick succession.
bool clickAt(POINT point, int times = 1);
// Types the text into the window with the keyboard focus.
bool typeText(const std::wstring& text);
// Presses keys as xdotool names them ("alt+f", "Down Return").
bool tapKeys(const std::wstring& keys);
// Clicks into the field and types the text there, once it has the focus;
// true once the field shows it.
bool typeInto(HWND field, const std::wstring& text);

// The input state of the window's thread: its focus, its active window, its
// menu mode.
GUITHREADINFO threadInput(HWND window);
HWND focusOfThread(HWND window);
// Waits until the window (a top-level window of another process) is the
// active window of its thread: keys typed then reach it.
bool waitForActive(HWND window, DWORD timeoutMillis);
// Brings the top-level window to the front and waits until typed keys would
// reach `focus` (the window itself or a control of it); the focus is set
// here when the window is this thread's.
bool bringToFront(HWND window, HWND focus, DWORD timeoutMillis);
// Waits until the keyboard focus of the window's thread is in `control`.
bool waitForFocusIn(HWND control, DWORD timeoutMillis);
// Waits until the thread of `window` shows a pop-up menu.
bool waitForMenu(HWND window, DWORD timeoutMillis);

// Double-clicks the tray icon, as a user brings a program's window back. The
// tray window is made active by a single click first: the click that
// activates it could otherwise take the first half of the double click on a
// busy machine.
bool restoreFromTray(DWORD timeoutMillis);
// The edit control of Wine's notepad once its window "Untitled - Notepad" has
// one.
HWND waitForNotepadEdit(DWORD timeoutMillis);
// The foreground window and the window under the pointer, with their places,
// for the message of a failed wait.
std::string describeDisplay();

}  // namespace keyreel::probe
