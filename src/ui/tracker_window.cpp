#include "ui/tracker_window.h"

#include <vector>

#include "core/main_window/pointer_display.h"

namespace keyreel::ui {

namespace {

constexpr int kPositionLabel = 101;
constexpr UINT_PTR kFollowTimer = 1;
constexpr COLORREF kPaleYellow = RGB(255, 255, 192);

const std::vector<ControlPlacement>& layout() {
    static const std::vector<ControlPlacement> controls = {
        {L"STATIC", L"0,0", SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, kPositionLabel, 0, 0, 690,
         210},
    };
    return controls;
}

}  // namespace

bool TrackerWindow::open() {
    if (loaded())
        return true;
    background_.reset(CreateSolidBrush(kPaleYellow));
    // A tool window that never takes the focus: no taskbar button, and the
    // keys stay where the user types.
    const Frame frame{L"KeyreelTrackerWindow",
                      "",
                      WS_POPUP,
                      WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                      690,
                      210,
                      nullptr,
                      nullptr};
    if (!create(frame, layout()))
        return false;
    pointer_.start(hwnd(), kFollowTimer);
    follow();
    ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    return true;
}

bool TrackerWindow::unload() {
    pointer_.stop();
    return Window::unload();
}

void TrackerWindow::follow() {
    const auto pointer = pointer_.tick();
    if (!pointer)
        return;
    const TrackerPlacement at = trackerPlacement(pointer->x, pointer->y, static_cast<int>(dpi()));
    SetWindowPos(hwnd(), HWND_TOPMOST, at.left, at.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    setControlText(kPositionLabel, pointerPositionText(pointer->x, pointer->y));
}

LRESULT TrackerWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == kFollowTimer)
                follow();
            return 0;
        case WM_CTLCOLORSTATIC:
            SetBkColor(reinterpret_cast<HDC>(wParam), kPaleYellow);
            return reinterpret_cast<LRESULT>(background_.get());
        case WM_ERASEBKGND: {
            RECT client{};
            GetClientRect(hwnd(), &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, background_.get());
            return 1;
        }
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        default:
            return Window::handleMessage(message, wParam, lParam);
    }
}

}  // namespace keyreel::ui
