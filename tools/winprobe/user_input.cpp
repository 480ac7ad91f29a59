#include "user_input.h"

#include <cstdio>

#include "win32/wide_text.h"
#include "window_probe.h"

namespace keyreel::probe {

namespace {

std::wstring at(POINT point) {
    return std::to_wstring(point.x) + L" " + std::to_wstring(point.y);
}

// `done`, with what the display shows when it is false.
bool told(bool done, const char* failure) {
    if (!done)
        std::fprintf(stderr, "%s: %s\n", failure, describeDisplay().c_str());
    return done;
}

bool clickedWhenPlaced(HWND window, const std::wstring& click) {
    return told(runWhenPlacedOnDisplay(window, click, 10000),
                "the display does not show the window to click where Wine has it");
}

bool pointTo(HWND window) {
    RECT rect{};
    const auto over = [&] {
        POINT pointer{};
        GetCursorPos(&pointer);
        const HWND under = WindowFromPoint(pointer);
        // Wine's tray window is not always found there, and the click reaches it all the same.
        return under == window || IsChild(window, under) || under == GetDesktopWindow();
    };
    return window != nullptr && GetWindowRect(window, &rect) &&
           told(movePointerTo((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2) &&
                    waitFor(over, 5000),
                "the pointer is not over the window to click");
}

}  // namespace

std::string describeDisplay() {
    POINT pointer{};
    GetCursorPos(&pointer);
    std::string text = "pointer at " + std::to_string(pointer.x) + "," + std::to_string(pointer.y);
    for (const HWND window : {GetForegroundWindow(), WindowFromPoint(pointer)}) {
        RECT rect{};
        GetWindowRect(window, &rect);
        text += "; " + win32::toUtf8(className(window) + L" \"" + windowText(window)) + "\" at " +
                std::to_string(rect.left) + "," + std::to_string(rect.top);
    }
    return text + " (the foreground window, then the one under the pointer)";
}

bool movePointerTo(int x, int y) {
    return runUnixProgramToEnd(L"/usr/bin/xdotool mousemove " + at({x, y}));
}

bool clickAt(POINT point, int times) {
    const std::wstring click = L"/usr/bin/xdotool mousemove " + at(point) + L" click --repeat " +
                               std::to_wstring(times) + L" --delay 80 1";
    const HWND under = WindowFromPoint(point);
    if (under == nullptr || under == GetDesktopWindow())
        return runUnixProgramToEnd(click);
    return clickedWhenPlaced(under, click);
}

bool clickOn(HWND window, int times) {
    return pointTo(window) &&
           clickedWhenPlaced(window, L"/usr/bin/xdotool click --repeat " + std::to_wstring(times) +
                                         L" --delay 80 1");
}

bool restoreFromTray(DWORD timeoutMillis) {
    const HWND icon = waitForTrayIcon(timeoutMillis);
    return icon != nullptr && waitForPlacedOnDisplay(icon, timeoutMillis) && clickOn(icon) &&
           waitForActive(GetAncestor(icon, GA_ROOT), timeoutMillis) && clickOn(icon, 2);
}

bool clickListLine(HWND listBox, int index, int clicks) {
    const auto height = static_cast<LONG>(SendMessageW(listBox, LB_GETITEMHEIGHT, 0, 0));
    POINT point{8, height * index + height / 2};
    ClientToScreen(listBox, &point);
    return clickAt(point, clicks);
}

bool typeText(const std::wstring& text) {
    return runUnixProgramToEnd(L"/usr/bin/xdotool type --delay 30 \"" + text + L"\"");
}

bool tapKeys(const std::wstring& keys) {
    return runUnixProgramToEnd(L"/usr/bin/xdotool key --clearmodifiers " + keys);
}

bool typeInto(HWND field, const std::wstring& text) {
    return clickOn(field) && waitForFocusIn(field, 5000) && typeText(text) &&
           waitFor([&] { return windowText(field) == text; }, 5000);
}

GUITHREADINFO threadInput(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info;
}

bool waitForActive(HWND window, DWORD timeoutMillis) {
    return waitFor([&] { return threadInput(window).hwndActive == window; }, timeoutMillis);
}

bool bringToFront(HWND window, HWND focus, DWORD timeoutMillis) {
    SetForegroundWindow(window);
    BringWindowToTop(window);
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId())
        SetFocus(focus);
    return waitFor([&] { return GetForegroundWindow() == window; }, timeoutMillis) &&
           waitForFocusIn(focus, timeoutMillis);
}

HWND focusOfThread(HWND window) {
    return threadInput(window).hwndFocus;
}

bool waitForFocusIn(HWND control, DWORD timeoutMillis) {
    return waitFor(
        [&] {
            const HWND focus = focusOfThread(control);
            return focus == control || IsChild(control, focus);
        },
        timeoutMillis);
}

bool waitForMenu(HWND window, DWORD timeoutMillis) {
    return waitFor(
        [&] {
            return (threadInput(window).flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE)) != 0 &&
                   !windowsOfClass(L"#32768").empty();
        },
        timeoutMillis);
}

HWND waitForNotepadEdit(DWORD timeoutMillis) {
    return waitForWindowThat(
        [] {
            const HWND notepad = findWindow(L"Untitled - Notepad");
            return notepad != nullptr ? findChild(notepad, L"Edit") : nullptr;
        },
        timeoutMillis);
}

}  // namespace keyreel::probe
