#include "user_input.h"

#include "window_probe.h"

namespace keyreel::probe {

namespace {

POINT middleOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

std::wstring at(POINT point) {
    return std::to_wstring(point.x) + L" " + std::to_wstring(point.y);
}

GUITHREADINFO threadInput(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info;
}

}  // namespace

bool clickRepeatedly(HWND window, int times) {
    return window != nullptr &&
           runUnixProgramToEnd(L"/usr/bin/xdotool mousemove " + at(middleOf(window)) +
                               L" click --repeat " + std::to_wstring(times) + L" --delay 5 1");
}

bool movePointerTo(int x, int y) {
    return runUnixProgramToEnd(L"/usr/bin/xdotool mousemove " + at({x, y}));
}

bool clickAt(POINT point, int times) {
    return runUnixProgramToEnd(L"/usr/bin/xdotool mousemove " + at(point) + L" click --repeat " +
                               std::to_wstring(times) + L" --delay 80 1");
}

bool clickOn(HWND window) {
    return window != nullptr &&
           runUnixProgramToEnd(L"/usr/bin/xdotool mousemove " + at(middleOf(window)) + L" click 1");
}

bool doubleClickOn(HWND window) {
    return window != nullptr &&
           runUnixProgramToEnd(L"/usr/bin/xdotool mousemove " + at(middleOf(window)) +
                               L" click --repeat 2 --delay 80 1");
}

bool restoreFromTray(DWORD timeoutMillis) {
    const HWND icon = waitForTrayIcon(timeoutMillis);
    return icon != nullptr && clickOn(icon) &&
           waitForActive(GetAncestor(icon, GA_ROOT), timeoutMillis) && doubleClickOn(icon);
}

bool clickListLine(HWND listBox, int index, int clicks) {
    const auto height = static_cast<LONG>(SendMessageW(listBox, LB_GETITEMHEIGHT, 0, 0));
    POINT point{8, height * index + height / 2};
    ClientToScreen(listBox, &point);
    return runUnixProgramToEnd(L"/usr/bin/xdotool mousemove " + at(point) + L" click --repeat " +
                               std::to_wstring(clicks) + L" --delay 80 1");
}

bool typeText(const std::wstring& text) {
    return runUnixProgramToEnd(L"/usr/bin/xdotool type --delay 30 \"" + text + L"\"");
}

bool tapKeys(const std::wstring& keys) {
    return runUnixProgramToEnd(L"/usr/bin/xdotool key --clearmodifiers " + keys);
}

bool waitForActive(HWND window, DWORD timeoutMillis) {
    return waitFor([&] { return threadInput(window).hwndActive == window; }, timeoutMillis);
}

bool waitForFocusIn(HWND control, DWORD timeoutMillis) {
    return waitFor(
        [&] {
            const HWND focus = threadInput(control).hwndFocus;
            return focus == control || IsChild(control, focus);
        },
        timeoutMillis);
}

bool waitForMenu(HWND window, DWORD timeoutMillis) {
    return waitFor(
        [&] {
            return (threadInput(window).flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE)) != 0 &&
                   windowsOfClass(L"#32768") > 0;
        },
        timeoutMillis);
}

HWND waitForNotepadEdit(DWORD timeoutMillis) {
    HWND edit = nullptr;
    waitFor(
        [&] {
            const HWND notepad = findWindow(L"Untitled - Notepad");
            return notepad != nullptr && (edit = findChild(notepad, L"Edit")) != nullptr;
        },
        timeoutMillis);
    return edit;
}

}  // namespace keyreel::probe
