#include "ui/entry_window.h"

// After windows.h, which it needs.
#include <commctrl.h>

#include <vector>

#include "core/schedule/scheduler_texts.h"
#include "ui/date_pickers.h"
#include "win32/wide_text.h"

namespace keyreel::ui {

namespace {

enum ControlId : int {
    kDescription = 101,
    kDatePicker = 102,
    kWeekdayName = 103,
    kTimePicker = 104,
    kFrequency = 105,
    kPath = 106,
    kBrowse = 107,
    kNotes = 108,
    kScheduleItButton = 109,
    kCancelButton = IDCANCEL,
    kLabels = 200,
};

constexpr DWORD kLabel = SS_LEFT | SS_NOPREFIX;
constexpr DWORD kTextBox = ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;

// Creation order is the tab order.
const std::vector<ControlPlacement>& layout() {
    static const std::vector<ControlPlacement> controls = {
        {L"STATIC", L"Description:", kLabel, kLabels + 1, 120, 150, 1260, 255},
        {L"EDIT", L"", kTextBox, kDescription, 1440, 120, 3900, 315, WS_EX_CLIENTEDGE},
        {L"STATIC", L"Date:", kLabel, kLabels + 2, 120, 570, 1260, 255},
        {DATETIMEPICK_CLASSW, L"", DTS_SHORTDATEFORMAT | WS_TABSTOP, kDatePicker, 1440, 540, 1560,
         315},
        {L"STATIC", L"", kLabel, kWeekdayName, 3120, 570, 1500, 255},
        {L"STATIC", L"Time:", kLabel, kLabels + 3, 120, 990, 1260, 255},
        {DATETIMEPICK_CLASSW, L"", DTS_TIMEFORMAT | WS_TABSTOP, kTimePicker, 1440, 960, 1560, 315},
        {L"STATIC", L"Frequency to be Ran", kLabel, kLabels + 4, 120, 1410, 1800, 255},
        {L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kFrequency, 1980, 1380, 1800,
         1200},
        {L"STATIC", L"Macro Path", kLabel, kLabels + 5, 120, 1830, 1260, 255},
        {L"EDIT", L"", kTextBox, kPath, 1440, 1800, 3060, 315, WS_EX_CLIENTEDGE},
        {L"STATIC", L"Browse", SS_LEFT | SS_NOPREFIX | SS_NOTIFY, kBrowse, 4620, 1830, 720, 255},
        {L"EDIT", L"", ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
         kNotes, 120, 2280, 5220, 1560, WS_EX_CLIENTEDGE},
        {L"BUTTON", L"Schedule It", kButton, kScheduleItButton, 1200, 4020, 1335, 375},
        {L"BUTTON", L"Cancel", kButton, kCancelButton, 2880, 4020, 1335, 375},
    };
    return controls;
}

}  // namespace

EntryWindow::EntryWindow() : browseLabel_(kHoverTextColour) {}

bool EntryWindow::open(HWND owner, const ScheduleEntryForm& form) {
    if (loaded()) {
        ShowWindow(hwnd(), SW_SHOWNORMAL);
        SetForegroundWindow(hwnd());
        return true;
    }
    initDatePickers();
    const Frame frame{L"KeyreelEntryWindow",
                      "Schedule Entry",
                      WS_POPUP | WS_CAPTION | WS_SYSMENU,
                      WS_EX_TOOLWINDOW,
                      5460,
                      4560,
                      owner,
                      nullptr};
    if (!create(frame, layout()))
        return false;
    browseLabel_.clear();
    browseLabel_.add(control(kBrowse));
    for (const char* choice : frequencyChoices()) {
        SendMessageW(control(kFrequency), CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(win32::toWide(choice).c_str()));
    }
    setDateFormat(control(kDatePicker));
    setTimeFormat(control(kTimePicker));
    setPickerValue(control(kDatePicker), form.when);
    setPickerValue(control(kTimePicker), form.when);
    showFields(form);
    showWeekdayName();
    centerOnScreen(HWND_TOP);
    SetForegroundWindow(hwnd());
    SetFocus(control(kDescription));
    return true;
}

ScheduleEntryForm EntryWindow::readForm() const {
    ScheduleEntryForm form;
    form.description = controlText(control(kDescription));
    const LocalDateTime date = pickerValue(control(kDatePicker));
    const LocalDateTime time = pickerValue(control(kTimePicker));
    form.when = {date.year, date.month, date.day, time.hour, time.minute, time.second, 0};
    const LRESULT chosen = SendMessageW(control(kFrequency), CB_GETCURSEL, 0, 0);
    if (chosen >= 0)
        form.frequency = static_cast<std::size_t>(chosen);
    form.path = controlText(control(kPath));
    form.notes = controlText(control(kNotes));
    return form;
}

void EntryWindow::showFields(const ScheduleEntryForm& form) {
    setControlText(kDescription, form.description);
    SendMessageW(control(kFrequency), CB_SETCURSEL,
                 form.frequency ? static_cast<WPARAM>(*form.frequency) : static_cast<WPARAM>(-1),
                 0);
    setControlText(kPath, form.path);
    setControlText(kNotes, form.notes);
}

// `showWeekdayName`: the name of the date picker's weekday.
void EntryWindow::showWeekdayName() {
    setControlText(kWeekdayName, readForm().weekdayLabel());
}

void EntryWindow::browse() {
    ScheduleEntryForm form = readForm();
    form.browse([&](const FileDialogRequest& request) -> std::optional<std::string> {
        return chooseFile ? chooseFile(hwnd(), request) : std::nullopt;
    });
    // The dialog handles messages: the window may have closed meanwhile.
    if (loaded())
        setControlText(kPath, form.path);
}

void EntryWindow::scheduleIt() {
    ScheduleEntryForm form = readForm();
    if (onScheduleIt)
        onScheduleIt(form);
    if (loaded())
        showFields(form);
}

void EntryWindow::command(int id) {
    switch (id) {
        case kBrowse:
            return browse();
        case kScheduleItButton:
            return scheduleIt();
        case kCancelButton:
            unload();
            return;
        default:
            return;
    }
}

LRESULT EntryWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) != kBrowse || HIWORD(wParam) == STN_CLICKED)
                command(LOWORD(wParam));
            return 0;
        case WM_NOTIFY: {
            const auto* notice = reinterpret_cast<const NMHDR*>(lParam);
            if (notice->idFrom == kDatePicker && notice->code == DTN_DATETIMECHANGE)
                showWeekdayName();
            return 0;
        }
        case WM_SETCURSOR:
            browseLabel_.pointerOver(reinterpret_cast<HWND>(wParam));
            break;
        case WM_CTLCOLORSTATIC:
            if (const auto brush = browseLabel_.colours(reinterpret_cast<HDC>(wParam),
                                                        reinterpret_cast<HWND>(lParam)))
                return *brush;
            break;
        default:
            break;
    }
    return Window::handleMessage(message, wParam, lParam);
}

}  // namespace keyreel::ui
