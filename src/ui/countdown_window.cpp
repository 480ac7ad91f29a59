#include "ui/countdown_window.h"

#include <string>
#include <vector>

#include "core/base/product_texts.h"

namespace keyreel::ui {

namespace {

enum ControlId : int {
    kIcon = 100,
    kLeadText = 101,
    kSecondsText = 102,
    kTailText = 103,
    kHintText = 104,
    kCancelButton = IDCANCEL,
};

const std::vector<ControlPlacement>& layout() {
    static const std::vector<ControlPlacement> controls = {
        {L"STATIC", L"", SS_ICON, kIcon, 180, 180, 480, 480},
        {L"STATIC", L"A macro will be starting in ", SS_RIGHT, kLeadText, 780, 240, 2460, 255},
        {L"STATIC", L"10", SS_CENTER, kSecondsText, 3240, 240, 330, 255},
        {L"STATIC", L"seconds.", SS_LEFT, kTailText, 3600, 240, 900, 255},
        {L"STATIC", L"Press cancel to stop this operation", SS_CENTER, kHintText, 780, 600, 3840,
         255},
        {L"BUTTON", L"Cancel", BS_DEFPUSHBUTTON | WS_TABSTOP, kCancelButton, 2100, 1020, 1095, 375},
    };
    return controls;
}

}  // namespace

bool CountdownWindow::open(std::int32_t seconds) {
    cancelled_ = false;
    const Frame frame{L"KeyreelCountdownWindow",
                      kAppTitle,
                      WS_POPUP | WS_CAPTION | WS_SYSMENU,
                      WS_EX_TOPMOST,
                      4800,
                      1560,
                      nullptr,
                      nullptr};
    if (!create(frame, layout()))
        return false;
    SendMessageW(control(kIcon), STM_SETICON, reinterpret_cast<WPARAM>(programIcon()), 0);
    showRemaining(seconds);
    centerOnScreen(HWND_TOPMOST);
    SetForegroundWindow(hwnd());
    SetFocus(control(kCancelButton));
    return true;
}

void CountdownWindow::showRemaining(std::int64_t seconds) {
    setControlText(kSecondsText, std::to_string(seconds));
}

LRESULT CountdownWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const bool cancel =
        (message == WM_COMMAND && LOWORD(wParam) == kCancelButton) || (message == WM_CLOSE);
    if (cancel) {
        cancelled_ = true;
        ShowWindow(hwnd(), SW_HIDE);
        return 0;
    }
    return Window::handleMessage(message, wParam, lParam);
}

}  // namespace keyreel::ui
