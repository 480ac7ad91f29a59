#include "window_probe.h"

#include <algorithm>
#include <cwctype>

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
        if (lower(child.className) == lower(wantedClass) && (text.empty() || child.text == text)) {
            return child.hwnd;
        }
    }
    return nullptr;
}

bool clickButton(HWND parent, std::wstring_view text) {
    const HWND button = findChild(parent, L"Button", text);
    if (button == nullptr)
        return false;
    PostMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
    return true;
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

}  // namespace keyreel::probe
