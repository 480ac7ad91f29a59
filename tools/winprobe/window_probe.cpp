#include "window_probe.h"

#include <shlwapi.h>

#include <algorithm>

namespace keyreel::probe {

namespace {

constexpr const wchar_t* kTrayClass = L"__winex11_standalone_tray";
constexpr const wchar_t* kTrayIconClass = L"__winex11_tray_icon";

BOOL CALLBACK collect(HWND hwnd, LPARAM out) {
    reinterpret_cast<std::vector<HWND>*>(out)->push_back(hwnd);
    return TRUE;
}

std::vector<HWND> topLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(&collect, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::wstring messageBoxText(HWND box) {
    return windowText(GetDlgItem(box, 0xFFFF));  // its static text control
}

}  // namespace

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

std::wstring windowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length))
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 2000, &copied);
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

std::wstring className(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

HWND findWindow(std::wstring_view titlePart) {
    const std::wstring wanted(titlePart);
    for (const HWND hwnd : topLevelWindows()) {
        if (IsWindowVisible(hwnd) && StrStrIW(windowText(hwnd).c_str(), wanted.c_str()) != nullptr)
            return hwnd;
    }
    return nullptr;
}

HWND waitForWindow(std::wstring_view titlePart, DWORD timeoutMillis) {
    return waitForWindowThat([&] { return findWindow(titlePart); }, timeoutMillis);
}

bool waitUntilGone(std::wstring_view titlePart, DWORD timeoutMillis) {
    return waitFor([&] { return findWindow(titlePart) == nullptr; }, timeoutMillis);
}

std::vector<HWND> windowsOfClass(std::wstring_view wantedClass, bool hiddenToo) {
    std::vector<HWND> windows = topLevelWindows();
    std::erase_if(windows, [&](HWND hwnd) {
        return (!hiddenToo && !IsWindowVisible(hwnd)) || className(hwnd) != wantedClass;
    });
    return windows;
}

std::vector<Child> children(HWND parent, bool deep) {
    std::vector<HWND> windows;
    if (deep)
        EnumChildWindows(parent, &collect, reinterpret_cast<LPARAM>(&windows));
    for (HWND child = deep ? nullptr : GetWindow(parent, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        windows.push_back(child);
    std::vector<Child> found;
    for (const HWND child : windows)
        found.push_back({child, className(child), windowText(child)});
    return found;
}

std::vector<HWND> childrenOfClass(HWND parent, std::wstring_view wantedClass) {
    std::vector<HWND> found;
    for (const Child& child : children(parent)) {
        if (child.className == wantedClass)
            found.push_back(child.hwnd);
    }
    return found;
}

HWND findChild(HWND parent, std::wstring_view wantedClass, std::wstring_view text) {
    const std::wstring wanted(wantedClass);
    for (const Child& child : children(parent)) {
        if ((wanted.empty() || StrCmpIW(child.className.c_str(), wanted.c_str()) == 0) &&
            (text.empty() || child.text == text))
            return child.hwnd;
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

std::vector<std::wstring> listItems(HWND listBox) {
    std::vector<std::wstring> items;
    for (LRESULT i = 0; i < SendMessageW(listBox, LB_GETCOUNT, 0, 0); ++i) {
        const LRESULT length = std::max<LRESULT>(SendMessageW(listBox, LB_GETTEXTLEN, i, 0), 0);
        std::wstring& item = items.emplace_back(static_cast<std::size_t>(length) + 1, L'\0');
        SendMessageW(listBox, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()));
        item.resize(static_cast<std::size_t>(length));
    }
    return items;
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

HWND findDialog(std::wstring_view title, std::wstring_view textPart) {
    for (const HWND hwnd : windowsOfClass(L"#32770")) {
        if (windowText(hwnd) == title && messageBoxText(hwnd).find(textPart) != std::wstring::npos)
            return hwnd;
    }
    return nullptr;
}

HWND waitForDialog(std::wstring_view title, DWORD timeoutMillis, std::wstring_view textPart) {
    return waitForWindowThat([&] { return findDialog(title, textPart); }, timeoutMillis);
}

void answerMessageBox(HWND box, int buttonId) {
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, buttonId)));
}

std::future<std::wstring> answerDialog(std::wstring title, std::function<void(HWND)> answer) {
    return std::async(std::launch::async, [title = std::move(title), answer = std::move(answer)] {
        const HWND dialog = waitForDialog(title, 10000);
        if (dialog == nullptr)
            return std::wstring(L"(no dialog)");
        std::wstring text = messageBoxText(dialog);
        answer(dialog);
        return text;
    });
}

// A dialog may be shown before its controls are all there.
std::function<void(HWND)> enterFileName(const std::wstring& path) {
    return [path](HWND dialog) {
        constexpr int kFileNameField = 1148;
        waitFor([&] { return GetDlgItem(dialog, kFileNameField) != nullptr; });
        SetDlgItemTextW(dialog, kFileNameField, path.c_str());
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    };
}

std::function<void(HWND)> pressButton(int id) {
    return [id](HWND dialog) {
        waitFor([&] { return GetDlgItem(dialog, id) != nullptr; });
        answerMessageBox(dialog, id);
    };
}

int trayIconCount() {
    const HWND tray = FindWindowW(kTrayClass, nullptr);
    int count = 0;
    for (HWND icon = nullptr;
         tray != nullptr && (icon = FindWindowExW(tray, icon, kTrayIconClass, nullptr)) != nullptr;)
        ++count;
    return count;
}

HWND waitForTrayIcon(DWORD timeoutMillis) {
    return waitForWindowThat(
        [] {
            const HWND tray = FindWindowW(kTrayClass, nullptr);
            const HWND icon = FindWindowExW(tray, nullptr, kTrayIconClass, nullptr);
            return tray != nullptr && IsWindowVisible(tray) && IsWindowVisible(icon) ? icon
                                                                                     : nullptr;
        },
        timeoutMillis);
}

}  // namespace keyreel::probe
