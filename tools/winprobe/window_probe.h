#pragma once

// Finding, reading, operating and waiting for windows: the one library of every test under Wine.

#include <windows.h>

#include <functional>
#include <future>
#include <string>
#include <string_view>
#include <vector>

#include "programs.h"

namespace keyreel::probe {

// Handles this thread's messages until one comes or `millis` have passed.
void handleMessages(DWORD millis);
// Handles this thread's messages meanwhile (the windows under test may be its own).
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
template <typename Find>
HWND waitForWindowThat(Find find, DWORD timeoutMillis) {
    HWND found = nullptr;
    waitFor([&] { return (found = find()) != nullptr; }, timeoutMillis);
    return found;
}
// Handles this thread's messages for a short while.
void settle();

std::wstring windowText(HWND window);
std::wstring className(HWND window);
// The first visible top-level window whose title contains `titlePart`, case ignored, top first.
HWND findWindow(std::wstring_view titlePart);
HWND waitForWindow(std::wstring_view titlePart, DWORD timeoutMillis);
bool waitUntilGone(std::wstring_view titlePart, DWORD timeoutMillis);
// The top-level windows of this class, top first.
std::vector<HWND> windowsOfClass(std::wstring_view className, bool hiddenToo = false);

struct Child {
    HWND hwnd;
    std::wstring className;
    std::wstring text;
};
// Child windows in z-order; with `deep`, theirs too.
std::vector<Child> children(HWND parent, bool deep = false);
// The children of this class in z-order.
std::vector<HWND> childrenOfClass(HWND parent, std::wstring_view className);
// The first child of this class (case ignored) with exactly this text; empty matches any.
HWND findChild(HWND parent, std::wstring_view className, std::wstring_view text = {});
// Its BN_CLICKED: handled at once for a window of this thread, posted to another thread.
bool clickButton(HWND parent, std::wstring_view text);
std::vector<std::wstring> listItems(HWND listBox);
// The captions of a menu's items in order, "" for a separator.
std::vector<std::wstring> menuCaptions(HMENU menu);

// A shown dialog with exactly this title whose message contains `textPart`.
HWND findDialog(std::wstring_view title, std::wstring_view textPart = {});
HWND waitForDialog(std::wstring_view title, DWORD timeoutMillis, std::wstring_view textPart = {});
void answerMessageBox(HWND box, int buttonId);
// Answers the next dialog with this title from a second thread, as a user would while this
// thread is in its modal loop; gives its text.
std::future<std::wstring> answerDialog(std::wstring title, std::function<void(HWND)> answer);
// Answers: a path put into an Open or Save As dialog and OK; a button.
std::function<void(HWND)> enterFileName(const std::wstring& path);
std::function<void(HWND)> pressButton(int id);

// The icons in Wine's notification-area window; the first icon in a fresh prefix takes a while.
int trayIconCount();
HWND waitForTrayIcon(DWORD timeoutMillis);

}  // namespace keyreel::probe
