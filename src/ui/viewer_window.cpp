#include "ui/viewer_window.h"

#include <vector>

namespace keyreel::ui {

namespace {

enum ControlId : int {
    kDescription = 101,
    kDate = 102,
    kTime = 103,
    kFrequency = 104,
    kPath = 105,
    kNotes = 106,
    kCaptions = 200,
};

constexpr DWORD kCaption = SS_LEFT | SS_NOPREFIX;
// Values are the user's texts: an "&" is no access key.
constexpr DWORD kValue = SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL;

const std::vector<ControlPlacement>& layout() {
    static const std::vector<ControlPlacement> controls = {
        {L"STATIC", L"Description:", kCaption, kCaptions + 1, 120, 120, 1440, 255},
        {L"STATIC", L"", kValue, kDescription, 1680, 120, 3720, 255},
        {L"STATIC", L"Scheduled Date:", kCaption, kCaptions + 2, 120, 480, 1440, 255},
        {L"STATIC", L"", kValue, kDate, 1680, 480, 3720, 255},
        {L"STATIC", L"Scheduled Time:", kCaption, kCaptions + 3, 120, 840, 1440, 255},
        {L"STATIC", L"", kValue, kTime, 1680, 840, 3720, 255},
        {L"STATIC", L"Frequency:", kCaption, kCaptions + 4, 120, 1200, 1440, 255},
        {L"STATIC", L"", kValue, kFrequency, 1680, 1200, 3720, 255},
        {L"STATIC", L"File Path:", kCaption, kCaptions + 5, 120, 1560, 1440, 255},
        {L"STATIC", L"", kValue, kPath, 1680, 1560, 3720, 495},
        {L"STATIC", L"Notes:", kCaption, kCaptions + 6, 120, 2160, 1440, 255},
        {L"STATIC", L"", kValue, kNotes, 1680, 2160, 3720, 960},
    };
    return controls;
}

}  // namespace

bool ViewerWindow::show(HWND owner, const EntryView& entry) {
    if (!loaded()) {
        const Frame frame{L"KeyreelViewerWindow",
                          "Current Event",
                          WS_POPUP | WS_CAPTION | WS_SYSMENU,
                          WS_EX_TOOLWINDOW,
                          5520,
                          3240,
                          owner,
                          nullptr};
        if (!create(frame, layout()))
            return false;
        centerOnScreen(HWND_TOP);
    }
    setControlText(kDescription, entry.descr);
    setControlText(kDate, entry.runDate);
    setControlText(kFrequency, entry.freq);
    setControlText(kTime, entry.runTime);
    setControlText(kPath, entry.path);
    setControlText(kNotes, entry.notes);
    ShowWindow(hwnd(), SW_SHOWNORMAL);
    SetForegroundWindow(hwnd());
    return true;
}

LRESULT ViewerWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // Escape, through the dialog keys of the message loop.
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        unload();
        return 0;
    }
    return Window::handleMessage(message, wParam, lParam);
}

}  // namespace keyreel::ui
