#pragma once

// Finding, reading and operating windows, of this process or another, and
// waiting for them: the one library of the tests under Wine, the end-to-end
// tests and the scripts that show and measure Keyreel running under Wine.

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace keyreel::probe {

// The first visible top-level window whose title contains `titlePart`,
// case ignored, top of the stacking order first.
HWND findWindow(std::wstring_view titlePart);
HWND waitForWindow(std::wstring_view titlePart, DWORD timeoutMillis);
bool waitUntilGone(std::wstring_view titlePart, DWORD timeoutMillis);
std::vector<std::wstring> visibleTitles();

std::wstring windowText(HWND window);
// Child windows in z-order, with their class names and texts.
struct Child {
    HWND hwnd;
    std::wstring className;
    std::wstring text;
};
std::vector<Child> children(HWND parent);
// The first child of this class (any class when empty; case ignored) with
// exactly this text (any text when empty); null for none.
HWND findChild(HWND parent, std::wstring_view className, std::wstring_view text = {});
// Clicks the child with exactly this text (a button, say), as its
// BN_CLICKED does:
// handled before it returns for a window of this thread, posted for one of
// another thread, whose answer may be a modal dialog.
bool clickButton(HWND parent, std::wstring_view text);
std::vector<std::wstring> listItems(HWND listBox);
// The captions of a menu's items in order, "" for a separator.
std::vector<std::wstring> menuCaptions(HMENU menu);
// The visible top-level windows of this class.
int windowsOfClass(const wchar_t* className);
// A shown dialog (class #32770: Open, Save As, a message box) with exactly
// this title; null when none came in time.
HWND findDialog(std::wstring_view title);
HWND waitForDialog(std::wstring_view title, DWORD timeoutMillis);

// A message box (dialog class #32770) with this title whose text contains
// `textPart`; its text; answering it with a button id (IDOK, IDYES, IDNO).
HWND findMessageBox(std::wstring_view title, std::wstring_view textPart);
HWND waitForMessageBox(std::wstring_view title, std::wstring_view textPart, DWORD timeoutMillis);
std::wstring messageBoxText(HWND box);
void answerMessageBox(HWND box, int buttonId);

// The icons in Wine's own notification-area window (there when no other
// tray program runs); 0 before the first icon has made Wine show it.
int trayIconCount();
// The first icon there, once it is shown; null on time-out. The first icon
// of a fresh Wine prefix starts Wine's tray, which takes a while on a busy
// machine.
HWND waitForTrayIcon(DWORD timeoutMillis);

// Starts a command of the machine (xdotool, say) under Wine and returns at
// once: Wine's start.exe does not wait for a Unix program. The caller waits
// for what it does; a test whose own windows take the input goes on handling
// their messages meanwhile.
bool runUnixProgram(const std::wstring& commandLine);
// Runs a command of the machine (a line of the shell) and returns once it
// has ended; false when it could not start or did not end within two
// minutes. Actions on other programs' windows made one after another with it
// reach the display in their order. What it did may still be on its way.
bool runUnixProgramToEnd(const std::wstring& commandLine);
// Runs it so and tells whether it ended with exit status 0.
bool unixCommandSucceeds(const std::wstring& commandLine);
// Whether the X server shows the window's top-level window where Wine has
// it: Wine calls a window visible, or moved, before the window manager has
// put it there on the display.
bool placedOnDisplay(HWND window);
// Runs the command line once the window is so, within the time; false when
// it did not come to be or the command failed.
bool runWhenPlacedOnDisplay(HWND window, const std::wstring& commandLine, DWORD timeoutMillis);
bool waitForPlacedOnDisplay(HWND window, DWORD timeoutMillis);

// Handles the messages of this thread's windows until a message comes or
// `millis` have passed.
void handleMessages(DWORD millis);

// Waits for `condition` to hold, asking every `pollMillis` and handling this
// thread's messages meanwhile (the windows under test may be its own);
// false on time-out.
template <typename Condition>
bool waitFor(Condition condition, DWORD timeoutMillis = 10000, DWORD pollMillis = 10) {
    const ULONGLONG end = GetTickCount64() + timeoutMillis;
    while (!condition()) {
        if (GetTickCount64() >= end)
            return false;
        handleMessages(pollMillis);
    }
    return true;
}
// Handles this thread's messages for a short while, so that what was sent
// to its windows before has been handled.
void settle();

}  // namespace keyreel::probe
