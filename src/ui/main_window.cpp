#include "ui/main_window.h"

#include <algorithm>

#include "core/base/product_texts.h"
#include "core/main_window/pointer_display.h"
#include "ui/command_ids.h"
#include "ui/main_menus.h"
#include "ui/main_window_controls.h"
#include "win32/caption_buttons.h"
#include "win32/tray_icon.h"
#include "win32/wide_text.h"

namespace keyreel::ui {

namespace {

constexpr UINT_PTR kMouseTimer = 1;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;

// Creation order is the tab order: the builder's controls, the list, the
// play buttons.
const std::vector<ControlPlacement>& layout() {
    static const std::vector<ControlPlacement> controls = {
        {L"STATIC", L"Command", SS_LEFT | SS_NOPREFIX, kCommandLabel, 120, 2400, 1335, 255},
        {L"COMBOBOX", L"", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP,
         kCommandChooser, 120, 2640, 2055, 315},
        {L"STATIC", L"Value", SS_LEFT | SS_NOPREFIX, kValueLabel, 120, 3000, 1335, 255},
        {L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, kValueEdit, 120, 3240, 2055, 285,
         WS_EX_CLIENTEDGE},
        {L"BUTTON", L"Add", kButton, kAddCommand, 120, 3600, 735, 255},
        {L"BUTTON", L"Insert", kButton, kInsertCommand, 840, 3600, 735, 255},
        {L"BUTTON", L"Delete", kButton, kDeleteCommand, 1560, 3600, 735, 255},
        {L"BUTTON", L"Save", kButton, kSaveCommand, 2280, 3600, 735, 255},
        {L"LISTBOX", L"",
         WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_WANTKEYBOARDINPUT,
         kMacroList, 120, 0, 2055, 2400, WS_EX_CLIENTEDGE},
        // From the list to beyond Run's right edge, so that a point of any
        // screen, such as "-1920,-1080" left of and above the main one, shows
        // whole in the message font.
        {L"STATIC", L"0,0", SS_CENTER | SS_NOTIFY, kMouseLocation, 2190, 75, 1140, 255},
        {L"BUTTON", L"Run", kButton, kRunCommand, 2280, 360, 735, 735},
        {L"BUTTON", L"Stop", kButton, kStopCommand, 2280, 1200, 735, 1695},
    };
    return controls;
}

// The width of the caption bar's parts besides the title text: the icon, the
// caption buttons (minimize comes with a disabled maximize) and the margins.
int captionDecorations(HWND window, UINT dpi, const NONCLIENTMETRICSW& metrics, int margins) {
    int buttonWidth = 3 * metrics.iCaptionWidth;
    if (const auto buttons = win32::captionButtonBounds(window))
        buttonWidth = std::max(buttonWidth, static_cast<int>(buttons->right - buttons->left));
    return GetSystemMetricsForDpi(SM_CXSMICON, dpi) + buttonWidth + margins;
}

}  // namespace

MainWindow::~MainWindow() {
    model_.setObserver(nullptr);
}

bool MainWindow::open(bool mouseTrackingOff) {
    win32::OwnedMenu menuBar = createMainMenuBar();
    const Frame frame{
        kClassName, model_.title(), WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
        0,          3030,           3900,
        nullptr,    menuBar.get()};
    if (!create(frame, layout()))
        return false;
    // The window destroys its menu bar when it goes.
    menuBar.release();
    taskbarCreated_ = win32::TrayIcon::taskbarCreatedMessage();
    createBuilder();
    model_.setObserver(this);
    listChanged();
    setMouseTracking(!mouseTrackingOff);
    return true;
}

// The caption is the play-state display: the window is at least as wide as
// the longest title needs, at every DPI.
int MainWindow::minimumClientWidth() const {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi()))
        return 0;
    const win32::OwnedFont font(CreateFontIndirectW(&metrics.lfCaptionFont));
    const win32::WindowDc dc(hwnd());
    const win32::SelectedObject selected(dc.get(), font.get());
    int widest = 0;
    for (const char* title : {kIdleTitle, kPlayingTitle, kStoppedTitle}) {
        const std::wstring text = win32::toWide(title);
        SIZE size{};
        GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
        widest = std::max(widest, static_cast<int>(size.cx));
    }
    // Window managers and themes may draw the caption in a wider face than
    // the system's caption font (a bold sans under X, say): a quarter more
    // keeps the marker in view there too.
    return widest * 5 / 4 + captionDecorations(hwnd(), dpi(), metrics, toPixels(450));
}

void MainWindow::show() {
    ShowWindow(hwnd(), IsIconic(hwnd()) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(hwnd());
    if (!IsChild(hwnd(), GetFocus()))
        SetFocus(control(kCommandChooser));
    if (tracking_)
        pointer_.start(hwnd(), kMouseTimer);
}

void MainWindow::hide() {
    // Nobody sees the label while the window is hidden: no timer, no wake-ups.
    pointer_.stop();
    ShowWindow(hwnd(), SW_HIDE);
}

void MainWindow::setMouseTracking(bool on) {
    tracking_ = on;
    if (!on) {
        pointer_.stop();
        setControlText(kMouseLocation, "0,0");
    } else if (IsWindowVisible(hwnd())) {
        pointer_.start(hwnd(), kMouseTimer);
    }
}

void MainWindow::setTrackerShown(bool shown) {
    tooltips_.setText(control(kMouseLocation), shown ? kTrackerOffTip : kTrackerOnTip);
}

void MainWindow::refreshMouseLocation() {
    // Nobody sees the label while the window is hidden.
    if (!IsWindowVisible(hwnd()))
        return;
    if (const auto position = pointer_.tick())
        setControlText(kMouseLocation, pointerPositionText(position->x, position->y));
}

void MainWindow::showTrayMenu() {
    const win32::OwnedMenu menu = createTrayMenu();
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

// The list box moves its selection along with the lines, as the builder's
// Insert expects: the selected line stays selected.
void MainWindow::lineInserted(std::size_t index) {
    if (index >= model_.list().size())
        return listChanged();
    SendMessageW(control(kMacroList), LB_INSERTSTRING, index,
                 reinterpret_cast<LPARAM>(win32::toWide(model_.list()[index]).c_str()));
}

void MainWindow::lineRemoved(std::size_t index) {
    SendMessageW(control(kMacroList), LB_DELETESTRING, index, 0);
}

void MainWindow::command(int id, int notification) {
    switch (id) {
        case kCommandChooser:
            // A word chosen from the list has a position; typing takes it away.
            if (notification == CBN_SELCHANGE)
                commandEdited_ = false;
            else if (notification == CBN_EDITCHANGE)
                commandEdited_ = true;
            return;
        case kMouseLocation:
            if (notification == STN_DBLCLK)
                actions_.commandChosen(kToggleTrackerCommand);
            return;
        case IDOK:
            // Enter, through the dialog keys of the message loop.
            if (GetFocus() == control(kValueEdit))
                addLine();
            return;
        case kAddCommand:
            return addLine();
        case kInsertCommand:
            return insertLine();
        case kDeleteCommand:
            return deleteLine();
        case kSaveCommand:
            return saveList();
        case kLoadCommand:
            return loadList();
        case kClearCommand:
            return builder_.clear();
        case kRunCommand:
            return model_.runList();
        case kStopCommand:
            return model_.stop();
        default:
            if (id > kFirstProgramCommand)
                actions_.commandChosen(id);
            return;
    }
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kHandOverMessage || (message == WM_TIMER && wParam == kHandOverTimer)) {
        actions_.handOversDue();
        return 0;
    }
    switch (message) {
        case WM_COPYDATA:
            return actions_.dataReceived(*reinterpret_cast<const COPYDATASTRUCT*>(lParam)) ? TRUE
                                                                                           : FALSE;
        case WM_COMMAND:
            command(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_VKEYTOITEM:
            // The Delete key in the list deletes its selected line.
            if (LOWORD(wParam) == VK_DELETE) {
                deleteLine();
                return -2;
            }
            return -1;
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
            actions_.commandChosen(kExitCommand);
            return 0;
        case WM_QUERYENDSESSION:
            return actions_.endSessionQueried() ? TRUE : FALSE;
        case WM_ENDSESSION:
            if (wParam != FALSE)
                actions_.sessionEnding();
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
