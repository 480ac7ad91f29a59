#pragma once

// Reading common controls of another program, whose answers come through memory lent in it: the
// system does not carry their pointers between processes.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace keyreel::probe {

// The texts of every row of a report-view list view, `columns` cells each.
std::vector<std::vector<std::wstring>> listViewRows(HWND listView, int columns);
// The screen rectangle of a cell; empty when the list has no such cell.
std::optional<RECT> listViewCell(HWND listView, int row, int column);
// The date and time a date-time picker holds.
std::optional<SYSTEMTIME> pickerValue(HWND picker);

}  // namespace keyreel::probe
