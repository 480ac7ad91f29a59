#include "ui/date_pickers.h"

// After windows.h, which it needs.
#include <commctrl.h>

#include "core/schedule/scheduler_texts.h"
#include "win32/wide_text.h"

namespace keyreel::ui {

void initDatePickers() {
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_DATE_CLASSES};
    InitCommonControlsEx(&classes);
}

void setDateFormat(HWND datePicker) {
    SendMessageW(datePicker, DTM_SETFORMATW, 0,
                 reinterpret_cast<LPARAM>(win32::toWide(kDatePickerFormat).c_str()));
}

void setTimeFormat(HWND timePicker) {
    SendMessageW(timePicker, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"H:mm:ss"));
}

void setPickerValue(HWND picker, const LocalDateTime& value) {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(value.year);
    time.wMonth = static_cast<WORD>(value.month);
    time.wDay = static_cast<WORD>(value.day);
    time.wHour = static_cast<WORD>(value.hour);
    time.wMinute = static_cast<WORD>(value.minute);
    time.wSecond = static_cast<WORD>(value.second);
    // The picker works out the weekday itself.
    SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
}

LocalDateTime pickerValue(HWND picker) {
    SYSTEMTIME time{};
    SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time));
    return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond, 0};
}

}  // namespace keyreel::ui
