#pragma once

// Looking at and operating other programs' windows from outside, as a user
// would: used by the end-to-end tests and by the scripts that show and
// measure Keyreel running under Wine.

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
HWND findChild(HWND parent, std::wstring_view className, std::wstring_view text = {});
// Posts a click to the child button with exactly this text.
bool clickButton(HWND parent, std::wstring_view text);
std::vector<std::wstring> listItems(HWND listBox);

// A message box (dialog class #32770) with this title whose text contains
// `textPart`; its text; answering it with a button id (IDOK, IDYES, IDNO).
HWND findMessageBox(std::wstring_view title, std::wstring_view textPart);
HWND waitForMessageBox(std::wstring_view title, std::wstring_view textPart, DWORD timeoutMillis);
std::wstring messageBoxText(HWND box);
void answerMessageBox(HWND box, int buttonId);

// The icons in Wine's own notification-area window (there when no other
// tray program runs); 0 before the first icon has made Wine show it.
int trayIconCount();

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

// Waits for `condition` to hold, asking every `pollMillis`; false on
// time-out.
template <typename Condition>
bool waitFor(Condition condition, DWORD timeoutMillis, DWORD pollMillis = 20) {
    const ULONGLONG end = GetTickCount64() + timeoutMillis;
    while (!condition()) {
        if (GetTickCount64() >= end)
            return false;
        Sleep(pollMillis);
    }
    return true;
}

}  // namespace keyreel::probe
