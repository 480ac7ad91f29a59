#include "ui/about_window.h"

#include <string>
#include <vector>

#include "core/base/product_texts.h"
#include "ui/resource_ids.h"
#include "win32/program_files.h"

namespace keyreel::ui {

namespace {

enum ControlId : int {
    kIcon = 100,
    kProductName = 101,
    kVersion = 102,
    kDisclaimer = 103,
};

constexpr const char* kDisclaimerText =
    "Disclaimer:    This program was developed as is.  Use at your own risk.  The program is "
    "not responsible for damage, misconfiguration, loss of data, death, eruption or "
    "earthquakes associated by using this program.";

const std::vector<ControlPlacement>& layout() {
    static const std::vector<ControlPlacement> controls = {
        {L"STATIC", L"", SS_ICON, kIcon, 240, 240, 480, 480},
        {L"STATIC", L"", SS_LEFT | SS_NOPREFIX, kProductName, 960, 240, 4500, 285},
        {L"STATIC", L"Version", SS_LEFT | SS_NOPREFIX, kVersion, 960, 570, 4500, 255},
        {L"STATIC", L"", SS_LEFT | SS_NOPREFIX, kDisclaimer, 960, 1020, 4500, 1380},
    };
    return controls;
}

std::string versionText() {
    const auto version = win32::programVersion();
    if (!version)
        return "Version";
    return "Version " + std::to_string(version->major) + "." + std::to_string(version->minor) +
           "." + std::to_string(version->revision);
}

}  // namespace

bool AboutWindow::open() {
    if (loaded()) {
        ShowWindow(hwnd(), SW_SHOWNORMAL);
        SetForegroundWindow(hwnd());
        BringWindowToTop(hwnd());
        return true;
    }
    const Frame frame{L"KeyreelAboutWindow",
                      std::string("About ") + kAppTitle,
                      WS_POPUP | WS_CAPTION | WS_SYSMENU,
                      0,
                      5700,
                      2460,
                      nullptr,
                      nullptr};
    if (!create(frame, layout()))
        return false;
    const int iconSize = GetSystemMetricsForDpi(SM_CXICON, dpi());
    icon_.reset(static_cast<HICON>(LoadImageW(moduleInstance(), MAKEINTRESOURCEW(KEYREEL_ICON_ID),
                                              IMAGE_ICON, iconSize, iconSize, LR_DEFAULTCOLOR)));
    SendMessageW(control(kIcon), STM_SETICON, reinterpret_cast<WPARAM>(icon_.get()), 0);
    setControlText(kProductName, kAppTitle);
    setControlText(kVersion, versionText());
    setControlText(kDisclaimer, kDisclaimerText);
    centerOnScreen(HWND_TOP);
    SetForegroundWindow(hwnd());
    return true;
}

LRESULT AboutWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // Escape, through the dialog keys of the message loop.
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        destroy();
        return 0;
    }
    return Window::handleMessage(message, wParam, lParam);
}

}  // namespace keyreel::ui
