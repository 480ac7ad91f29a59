#pragma once

// What a user does with the mouse and the keyboard, done for real on the X
// display with xdotool, and the windows that answer: the common dialogs, the
// tray icon, another process's controls.

#include <windows.h>

#include <string>

namespace keyreel::e2e {

// Moves the pointer to the middle of the window and clicks (twice for a
// double click) with the left button.
bool clickOn(HWND window);
bool doubleClickOn(HWND window);
// Clicks the list box's line `index` (the list is not scrolled), twice for
// a double click.
bool clickListLine(HWND listBox, int index, int clicks = 1);
bool movePointerTo(int x, int y);
// Clicks with the left button at this point of the screen.
bool clickAt(int x, int y);
// Runs xdotool and other commands of the machine through the shell and
// waits until the last has ended; false when they did not end in time.
bool actOnDisplay(const std::wstring& shellCommands, DWORD timeoutMillis);
// Clicks the window `times` times in quick succession and returns once done.
bool clickRepeatedly(HWND window, int times, DWORD timeoutMillis);
// Types the text into the window with the keyboard focus.
bool typeText(const std::wstring& text);
// Presses keys as xdotool names them ("alt+f", "Down Return").
bool tapKeys(const std::wstring& keys);

// Waits until the window (a top-level window of another process) is the
// active window of its thread: keys typed then reach it.
bool waitForActive(HWND window, DWORD timeoutMillis);
// Waits until the keyboard focus of the window's thread is in `control`.
bool waitForFocusIn(HWND control, DWORD timeoutMillis);
// Waits until the thread of `window` shows a pop-up menu.
bool waitForMenu(HWND window, DWORD timeoutMillis);

// A shown common dialog (Open, Save As) or message box with this title.
HWND waitForDialog(const wchar_t* title, DWORD timeoutMillis);
// Keyreel's icon in Wine's own tray window.
HWND waitForTrayIcon(DWORD timeoutMillis);
// Double-clicks Keyreel's tray icon, as a user brings its window back. The
// tray window is made active by a single click first (which Keyreel
// ignores): the click that activates it could otherwise take the first half
// of the double click on a busy machine.
bool restoreFromTray(DWORD timeoutMillis);
// The edit control of Wine's notepad once its window "Untitled - Notepad"
// has one; null when it did not come in time.
HWND waitForNotepadEdit(DWORD timeoutMillis);
// The visible top-level windows of this class.
int windowsOfClass(const wchar_t* className);

}  // namespace keyreel::e2e
