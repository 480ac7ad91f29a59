#pragma once

// The date and time pickers of the scheduler's windows: the parts of their
// value the windows read (year, month, day; hour, minute, second) and the
// date pickers' display format.

#include <windows.h>

#include "core/schedule/schedule_clock.h"

namespace keyreel::ui {

// Creates the picker classes; each window that has pickers asks first.
void initDatePickers();
// Shows dates under the scheduler's format, "M/dd/yyy".
void setDateFormat(HWND datePicker);
// Shows times as run times read, hours 0 to 23: "H:mm:ss".
void setTimeFormat(HWND timePicker);
void setPickerValue(HWND picker, const LocalDateTime& value);
// The picker's date and time of day; milliseconds are 0.
LocalDateTime pickerValue(HWND picker);

}  // namespace keyreel::ui
