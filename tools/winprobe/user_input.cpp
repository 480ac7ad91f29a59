#include "user_actions.h"

#include "window_probe.h"

namespace keyreel::e2e {

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

bool actOnDisplay(const std::wstring& shellCommands, DWORD timeoutMillis) {
    // Wine's start.exe may return while the commands still run: the last
    // of them leaves a mark on the shared file system. Drive Z: is the root.
    const std::wstring mark = L"/tmp/keyreel-acted-" + std::to_wstring(GetCurrentProcessId()) +
                              L"-" + std::to_wstring(GetTickCount64());
    std::wstring markSeenFromWine = L"Z:" + mark;
    for (wchar_t& c : markSeenFromWine) {
        if (c == L'/')
            c = L'\\';
    }
    if (!probe::runUnixProgramToEnd(L"/bin/sh -c \"" + shellCommands + L"; touch " + mark + L"\""))
        return false;
    const bool ended = probe::waitFor(
        [&] { return GetFileAttributesW(markSeenFromWine.c_str()) != INVALID_FILE_ATTRIBUTES; },
        timeoutMillis);
    DeleteFileW(markSeenFromWine.c_str());
    return ended;
}

bool clickRepeatedly(HWND window, int times, DWORD timeoutMillis) {
    return window != nullptr &&
           actOnDisplay(L"xdotool mousemove " + at(middleOf(window)) + L" click --repeat " +
                            std::to_wstring(times) + L" --delay 5 1",
                        timeoutMillis);
}

bool movePointerTo(int x, int y) {
    return probe::runUnixProgramToEnd(L"/usr/bin/xdotool mousemove " + at({x, y}));
}

bool clickAt(int x, int y) {
    return probe::runUnixProgramToEnd(L"/usr/bin/xdotool mousemove " + at({x, y}) + L" click 1");
}

bool clickOn(HWND window) {
    return window != nullptr && probe::runUnixProgramToEnd(L"/usr/bin/xdotool mousemove " +
                                                           at(middleOf(window)) + L" click 1");
}

bool doubleClickOn(HWND window) {
    return window != nullptr &&
           probe::runUnixProgramToEnd(L"/usr/bin/xdotool mousemove " + at(middleOf(window)) +
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
    return probe::runUnixProgramToEnd(L"/usr/bin/xdotool mousemove " + at(point) +
                                      L" click --repeat " + std::to_wstring(clicks) +
                                      L" --delay 80 1");
}

bool typeText(const std::wstring& text) {
    return probe::runUnixProgramToEnd(L"/usr/bin/xdotool type --delay 30 \"" + text + L"\"");
}

bool tapKeys(const std::wstring& keys) {
    return probe::runUnixProgramToEnd(L"/usr/bin/xdotool key --clearmodifiers " + keys);
}

bool waitForActive(HWND window, DWORD timeoutMillis) {
    return probe::waitFor([&] { return threadInput(window).hwndActive == window; }, timeoutMillis);
}

bool waitForFocusIn(HWND control, DWORD timeoutMillis) {
    return probe::waitFor(
        [&] {
            const HWND focus = threadInput(control).hwndFocus;
            return focus == control || IsChild(control, focus);
        },
        timeoutMillis);
}

bool waitForMenu(HWND window, DWORD timeoutMillis) {
    return probe::waitFor(
        [&] {
            return (threadInput(window).flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE)) != 0 &&
                   windowsOfClass(L"#32768") > 0;
        },
        timeoutMillis);
}

HWND waitForDialog(const wchar_t* title, DWORD timeoutMillis) {
    HWND dialog = nullptr;
    probe::waitFor(
        [&] {
            dialog = FindWindowW(L"#32770", title);
            return dialog != nullptr && IsWindowVisible(dialog);
        },
        timeoutMillis);
    return dialog != nullptr && IsWindowVisible(dialog) ? dialog : nullptr;
}

HWND waitForTrayIcon(DWORD timeoutMillis) {
    HWND icon = nullptr;
    probe::waitFor(
        [&] {
            const HWND tray = FindWindowW(L"__winex11_standalone_tray", nullptr);
            icon = tray != nullptr ? FindWindowExW(tray, nullptr, L"__winex11_tray_icon", nullptr)
                                   : nullptr;
            return icon != nullptr && IsWindowVisible(tray) && IsWindowVisible(icon);
        },
        timeoutMillis);
    return icon;
}

HWND waitForNotepadEdit(DWORD timeoutMillis) {
    HWND edit = nullptr;
    probe::waitFor(
        [&] {
            const HWND notepad = probe::findWindow(L"Untitled - Notepad");
            return notepad != nullptr && (edit = probe::findChild(notepad, L"Edit")) != nullptr;
        },
        timeoutMillis);
    return edit;
}

int windowsOfClass(const wchar_t* className) {
    int count = 0;
    for (HWND window = FindWindowExW(nullptr, nullptr, className, nullptr); window != nullptr;
         window = FindWindowExW(nullptr, window, className, nullptr)) {
        if (IsWindowVisible(window))
            ++count;
    }
    return count;
}

}  // namespace keyreel::e2e
