#pragma once

// A user's mouse and keyboard, for real on the X display with xdotool. Each call returns once
// xdotool has ended; its effect may still be on its way.

#include <windows.h>

#include <string>

namespace keyreel::probe {

// Clicks the window's middle once the pointer is over it and the display has it where Wine has it.
bool clickOn(HWND window, int times = 1);
// Clicks line `index` of a list box that is not scrolled.
bool clickListLine(HWND listBox, int index, int clicks = 1);
bool movePointerTo(int x, int y);
bool clickAt(POINT point, int times = 1);
bool typeText(const std::wstring& text);
// Keys as xdotool names them ("alt+f", "Down Return").
bool tapKeys(const std::wstring& keys);
// Clicks into the field and types there once it has the focus; true once it shows the text.
bool typeInto(HWND field, const std::wstring& text);

// The focus, active window and menu mode of the window's thread.
GUITHREADINFO threadInput(HWND window);
HWND focusOfThread(HWND window);
// Until the window is its thread's active one: typed keys reach it then.
bool waitForActive(HWND window, DWORD timeoutMillis);
// Until typed keys would reach `focus` of the top-level window (set here for this thread's).
bool bringToFront(HWND window, HWND focus, DWORD timeoutMillis);
bool waitForFocusIn(HWND control, DWORD timeoutMillis);
// Until the thread of `window` shows a pop-up menu.
bool waitForMenu(HWND window, DWORD timeoutMillis);

// Double-clicks the tray icon after a single click has made the tray window active: on a busy
// machine the activating click could otherwise take the first half of the double click.
bool restoreFromTray(DWORD timeoutMillis);
// The edit control of "Untitled - Notepad" once it has one.
HWND waitForNotepadEdit(DWORD timeoutMillis);
// The foreground window and the one under the pointer, for failure messages.
std::string describeDisplay();

}  // namespace keyreel::probe
