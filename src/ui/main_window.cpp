#include "ui/main_window.h"

#include "win32/tray_icon.h"
#include "win32/wide_text.h"

namespace keyreel::ui {

namespace {

enum ControlId : int {
    kMacroList = 101,
    kRunButton = 102,
    kStopButton = 103,
    kMouseLocation = 104
};

constexpr UINT_PTR kMouseTimer = 1;

const std::vector<ControlPlacement>& layout() {
    static const std::vector<ControlPlacement> controls = {
        {L"LISTBOX", L"", WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
         kMacroList, 120, 0, 2055, 2400},
        {L"STATIC", L"0,0", SS_CENTER | SS_NOTIFY, kMouseLocation, 2280, 75, 735, 255},
        {L"BUTTON", L"Run", BS_PUSHBUTTON | WS_TABSTOP, kRunButton, 2280, 360, 735, 735},
        {L"BUTTON", L"Stop", BS_PUSHBUTTON | WS_TABSTOP, kStopButton, 2280, 1200, 735, 1695},
    };
    return controls;
}

// The menu bar offers the windows that exist; others join as they are built.
win32::OwnedMenu createMenuBar() {
    win32::OwnedMenu bar(CreateMenu());
    const HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, kExitCommand, L"E&xit");
    // The bar owns its pop-ups from here on.
    AppendMenuW(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    AppendMenuW(bar.get(), MF_STRING, kHideCommand, L"Hi&de");
    return bar;
}

}  // namespace

MainWindow::~MainWindow() {
    model_.setObserver(nullptr);
}

bool MainWindow::open(bool mouseTrackingOff) {
    win32::OwnedMenu menuBar = createMenuBar();
    const Frame frame{L"KeyreelMainWindow",
                      model_.title(),
                      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                      0,
                      3030,
                      3015,
                      nullptr,
                      menuBar.get()};
    if (!create(frame, layout()))
        return false;
    // The window destroys its menu bar when it goes.
    menuBar.release();
    taskbarCreated_ = win32::TrayIcon::taskbarCreatedMessage();
    model_.setObserver(this);
    setMouseTracking(!mouseTrackingOff);
    return true;
}

void MainWindow::show() {
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    if (tracking_)
        mouseTimer_.start(hwnd(), kMouseTimer, 1);
}

void MainWindow::hide() {
    // Nobody sees the label while the window is hidden: no timer, no wake-ups.
    mouseTimer_.stop();
    ShowWindow(hwnd(), SW_HIDE);
}

void MainWindow::setMouseTracking(bool on) {
    tracking_ = on;
    if (on) {
        mouseTimer_.start(hwnd(), kMouseTimer, 1);
    } else {
        mouseTimer_.stop();
        setControlText(kMouseLocation, "0,0");
        shownPosition_ = {-1, -1};
    }
}

void MainWindow::refreshMouseLocation() {
    // Nobody sees the label while the window is hidden; and unchanged text
    // is not written again.
    if (!IsWindowVisible(hwnd()))
        return;
    POINT position{};
    if (!GetCursorPos(&position))
        return;
    if (position.x == shownPosition_.x && position.y == shownPosition_.y)
        return;
    shownPosition_ = position;
    setControlText(kMouseLocation, std::to_string(position.x) + "," + std::to_string(position.y));
}

void MainWindow::showTrayMenu() {
    const win32::OwnedMenu menu(CreatePopupMenu());
    AppendMenuW(menu.get(), MF_STRING, kTrayStopCommand, L"Stop");
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING, kTrayExitCommand, L"Exit");
    POINT at{};
    GetCursorPos(&at);
    SetForegroundWindow(hwnd());
    TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd(), nullptr);
    // Lets the menu close when the user clicks elsewhere next time.
    PostMessageW(hwnd(), WM_NULL, 0, 0);
}

void MainWindow::titleChanged(const std::string& title) {
    setTitle(title);
}

void MainWindow::listChanged() {
    const HWND list = control(kMacroList);
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& line : model_.list()) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::toWide(line).c_str()));
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void MainWindow::command(int id) {
    switch (id) {
        case kRunButton:
            model_.runList();
            break;
        case kStopButton:
        case kTrayStopCommand:
            model_.stop();
            break;
        case kHideCommand:
            actions_.hideRequested();
            break;
        case kExitCommand:
        case kTrayExitCommand:
            actions_.exitRequested();
            break;
        default:
            break;
    }
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            command(LOWORD(wParam));
            return 0;
        case WM_TIMER:
            if (wParam == kMouseTimer)
                refreshMouseLocation();
            return 0;
        case WM_HOTKEY:
            actions_.hotKeyPressed(wParam, lParam);
            return 0;
        case kTrayIconMessage:
            actions_.trayIconEvent(LOWORD(lParam));
            return 0;
        case WM_CLOSE:
            actions_.exitRequested();
            return 0;
        default:
            break;
    }
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        actions_.taskbarCreated();
        return 0;
    }
    return Window::handleMessage(message, wParam, lParam);
}

}  // namespace keyreel::ui
