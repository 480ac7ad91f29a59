#include "window_probe.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cwctype>
#include <optional>
#include <string>

namespace keyreel::probe {

namespace {

std::wstring lower(std::wstring_view text) {
    std::wstring out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return out;
}

std::vector<HWND> topLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(
        [](HWND hwnd, LPARAM out) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(out)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::wstring className(HWND hwnd) {
    wchar_t name[256] = {};
    GetClassNameW(hwnd, name, 256);
    return name;
}

}  // namespace

std::wstring windowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 2000, &copied);
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

HWND findWindow(std::wstring_view titlePart) {
    const std::wstring wanted = lower(titlePart);
    for (const HWND hwnd : topLevelWindows()) {
        if (IsWindowVisible(hwnd) && lower(windowText(hwnd)).find(wanted) != std::wstring::npos) {
            return hwnd;
        }
    }
    return nullptr;
}

HWND waitForWindow(std::wstring_view titlePart, DWORD timeoutMillis) {
    HWND found = nullptr;
    waitFor([&] { return (found = findWindow(titlePart)) != nullptr; }, timeoutMillis);
    return found;
}

bool waitUntilGone(std::wstring_view titlePart, DWORD timeoutMillis) {
    return waitFor([&] { return findWindow(titlePart) == nullptr; }, timeoutMillis);
}

std::vector<std::wstring> visibleTitles() {
    std::vector<std::wstring> titles;
    for (const HWND hwnd : topLevelWindows()) {
        if (IsWindowVisible(hwnd))
            titles.push_back(windowText(hwnd));
    }
    return titles;
}

std::vector<Child> children(HWND parent) {
    std::vector<Child> found;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        found.push_back({child, className(child), windowText(child)});
    }
    return found;
}

HWND findChild(HWND parent, std::wstring_view wantedClass, std::wstring_view text) {
    for (const Child& child : children(parent)) {
        if ((wantedClass.empty() || lower(child.className) == lower(wantedClass)) &&
            (text.empty() || child.text == text)) {
            return child.hwnd;
        }
    }
    return nullptr;
}

bool clickButton(HWND parent, std::wstring_view text) {
    const HWND button = findChild(parent, L"", text);
    if (button == nullptr)
        return false;
    const WPARAM command = MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED);
    if (GetWindowThreadProcessId(parent, nullptr) == GetCurrentThreadId())
        SendMessageW(parent, WM_COMMAND, command, reinterpret_cast<LPARAM>(button));
    else
        PostMessageW(parent, WM_COMMAND, command, reinterpret_cast<LPARAM>(button));
    return true;
}

std::vector<std::wstring> menuCaptions(HMENU menu) {
    std::vector<std::wstring> captions;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t caption[MAX_PATH] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), caption, MAX_PATH, MF_BYPOSITION);
        captions.emplace_back(caption);
    }
    return captions;
}

int windowsOfClass(const wchar_t* wantedClass) {
    int count = 0;
    for (const HWND hwnd : topLevelWindows())
        count += IsWindowVisible(hwnd) && className(hwnd) == wantedClass ? 1 : 0;
    return count;
}

HWND findDialog(std::wstring_view title) {
    for (const HWND hwnd : topLevelWindows()) {
        if (IsWindowVisible(hwnd) && className(hwnd) == L"#32770" && windowText(hwnd) == title)
            return hwnd;
    }
    return nullptr;
}

HWND waitForDialog(std::wstring_view title, DWORD timeoutMillis) {
    HWND found = nullptr;
    waitFor([&] { return (found = findDialog(title)) != nullptr; }, timeoutMillis);
    return found;
}

std::vector<std::wstring> listItems(HWND listBox) {
    std::vector<std::wstring> items;
    const LRESULT count = SendMessageW(listBox, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(listBox, LB_GETTEXTLEN, i, 0);
        std::wstring item(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
        SendMessageW(listBox, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()));
        item.resize(static_cast<std::size_t>(std::max<LRESULT>(length, 0)));
        items.push_back(item);
    }
    return items;
}

std::wstring messageBoxText(HWND box) {
    // The text of a message box is its static control with the id 0xFFFF.
    const HWND text = GetDlgItem(box, 0xFFFF);
    return text != nullptr ? windowText(text) : std::wstring();
}

HWND findMessageBox(std::wstring_view title, std::wstring_view textPart) {
    for (const HWND hwnd : topLevelWindows()) {
        if (IsWindowVisible(hwnd) && className(hwnd) == L"#32770" && windowText(hwnd) == title &&
            messageBoxText(hwnd).find(textPart) != std::wstring::npos) {
            return hwnd;
        }
    }
    return nullptr;
}

HWND waitForMessageBox(std::wstring_view title, std::wstring_view textPart, DWORD timeoutMillis) {
    HWND found = nullptr;
    waitFor([&] { return (found = findMessageBox(title, textPart)) != nullptr; }, timeoutMillis);
    return found;
}

void answerMessageBox(HWND box, int buttonId) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, buttonId)));
}

HWND waitForTrayIcon(DWORD timeoutMillis) {
    HWND icon = nullptr;
    waitFor(
        [&] {
            const HWND tray = FindWindowW(L"__winex11_standalone_tray", nullptr);
            icon = tray != nullptr ? FindWindowExW(tray, nullptr, L"__winex11_tray_icon", nullptr)
                                   : nullptr;
            return icon != nullptr && IsWindowVisible(tray) && IsWindowVisible(icon);
        },
        timeoutMillis);
    return icon;
}

void handleMessages(DWORD millis) {
    MsgWaitForMultipleObjectsEx(0, nullptr, millis, QS_ALLINPUT, 0);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void settle() {
    const ULONGLONG until = GetTickCount64() + 50;
    while (GetTickCount64() < until)
        handleMessages(10);
}

int trayIconCount() {
    const HWND tray = FindWindowW(L"__winex11_standalone_tray", nullptr);
    int count = 0;
    for (HWND icon = nullptr;
         tray != nullptr &&
         (icon = FindWindowExW(tray, icon, L"__winex11_tray_icon", nullptr)) != nullptr;) {
        ++count;
    }
    return count;
}

namespace {

// The name of a file of the shared file system as Wine sees it (drive Z: is
// the root).
std::wstring seenFromWine(const std::wstring& unixPath) {
    std::wstring path = L"Z:" + unixPath;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

bool writeUtf8(const std::wstring& path, const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) != 0 &&
        written == bytes.size();
    CloseHandle(file);
    return ok;
}

}  // namespace

bool runUnixProgram(const std::wstring& commandLine) {
    std::wstring command = L"start.exe /wait /unix " + commandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &process)) {
        return false;
    }
    WaitForSingleObject(process.hProcess, 30000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

namespace {

// start.exe returns at once for a Unix program, before it has done anything,
// /wait or not: two actions in a row could then reach the display in either
// order, a key before the click meant to come first. The command runs from a
// shell script that leaves a mark once it has ended, holding its exit status,
// and that is waited for. Nothing when it could not start or did not end.
std::optional<int> runShellLines(const std::wstring& commandLine) {
    static unsigned runs = 0;
    const std::wstring base = L"/tmp/keyreel-probe-" + std::to_wstring(GetCurrentProcessId()) +
                              L"-" + std::to_wstring(++runs);
    const std::wstring script = base + L".sh";
    const std::wstring mark = base + L".done";
    if (!writeUtf8(seenFromWine(script), commandLine + L"\necho $? > " + base + L".part && mv " +
                                             base + L".part " + mark + L"\n")) {
        return std::nullopt;
    }
    std::wstring command = L"start.exe /wait /unix /bin/sh " + script;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &process)) {
        DeleteFileW(seenFromWine(script).c_str());
        return std::nullopt;
    }
    WaitForSingleObject(process.hProcess, 30000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const bool ended = waitFor(
        [&] { return GetFileAttributesW(seenFromWine(mark).c_str()) != INVALID_FILE_ATTRIBUTES; },
        120000, 5);
    std::optional<int> status;
    if (ended) {
        char text[16] = {};
        const HANDLE file = CreateFileW(seenFromWine(mark).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD read = 0;
        if (file != INVALID_HANDLE_VALUE) {
            ReadFile(file, text, sizeof text - 1, &read, nullptr);
            CloseHandle(file);
        }
        status = std::atoi(text);
    }
    DeleteFileW(seenFromWine(script).c_str());
    DeleteFileW(seenFromWine(mark).c_str());
    return status;
}

}  // namespace

bool runUnixProgramToEnd(const std::wstring& commandLine) {
    return runShellLines(commandLine).has_value();
}

bool unixCommandSucceeds(const std::wstring& commandLine) {
    return runShellLines(commandLine) == 0;
}

namespace {

// Wine shows, moves and sizes a window at once and asks the X server to do the
// same; the window manager frames, maps and moves it a moment later. Until
// then a click reaches whatever the display still has there. The X window
// sits just inside Wine's window rectangle (by the frame the window manager
// draws, if any), and far from it while a move is still on its way. The
// shell test of that; empty for a window without an X window.
std::wstring placedTest(HWND window) {
    const HWND root = GetAncestor(window, GA_ROOT);
    const auto xWindow =
        reinterpret_cast<std::uintptr_t>(GetPropW(root, L"__wine_x11_whole_window"));
    RECT rect{};
    if (xWindow == 0 || !GetWindowRect(root, &rect))
        return L"";
    return L"xwininfo -id " + std::to_wstring(xWindow) + L" | awk -v x=" +
           std::to_wstring(rect.left) + L" -v y=" + std::to_wstring(rect.top) +
           L" '/Absolute upper-left X/ {ax = $4} /Absolute upper-left Y/ {ay = $4} "
           L"/Map State/ {shown = $3 == \"IsViewable\"} "
           L"END {dx = ax - x; dy = ay - y; exit !(shown && dx >= 0 && dx <= 16 && dy >= 0 && "
           L"dy <= 48)}'";
}

}  // namespace

bool placedOnDisplay(HWND window) {
    const std::wstring test = placedTest(window);
    return !test.empty() && unixCommandSucceeds(test);
}

// One shell script waits and acts, which costs no more than the action alone.
bool runWhenPlacedOnDisplay(HWND window, const std::wstring& commandLine, DWORD timeoutMillis) {
    const std::wstring test = placedTest(window);
    if (test.empty())
        return false;
    // The script must run to its end, where its status is written down.
    return unixCommandSucceeds(L"tries=" + std::to_wstring(timeoutMillis / 50 + 1) + L"\nuntil " +
                               test + L"; do\n  tries=$((tries - 1))\n  [ $tries -gt 0 ] || " +
                               L"break\n  sleep 0.05\ndone\n[ $tries -gt 0 ] && " + commandLine);
}

bool waitForPlacedOnDisplay(HWND window, DWORD timeoutMillis) {
    return waitFor([&] { return placedOnDisplay(window); }, timeoutMillis, 50);
}

}  // namespace keyreel::probe
