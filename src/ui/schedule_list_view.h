#pragma once

// The scheduler's entry list: a list view in report view with full-row
// selection and the eight columns of an entry. The running and notes
// columns have no width and cannot be dragged open: a running flag edited to
// a text that is not a Boolean would keep its row from ever running.

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

#include "ui/window.h"

namespace keyreel::ui {

class ScheduleListView {
  public:
    // Takes over a list view of a window: styles, columns, the guard on the
    // hidden columns. Widths follow the window's scale.
    void attach(HWND list, const Window& window);
    // Sets every column's width again for the window's present scale.
    void setColumnWidths();

    void insertRow(std::size_t row);
    void setCell(std::size_t row, std::size_t column, const std::string& text);
    void removeRow(std::size_t row);
    void clear();
    std::size_t rowCount() const;

    std::optional<std::size_t> selectedRow() const;
    struct Cell {
        std::optional<std::size_t> row;  // empty: no row there
        std::size_t column = 0;
    };
    // The row and column under a point of the list's client area.
    Cell cellAt(POINT point) const;

    HWND hwnd() const { return list_; }

  private:
    static LRESULT CALLBACK guardProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR refData);

    HWND list_ = nullptr;  // not owned: a child of the scheduler window
    const Window* window_ = nullptr;
};

}  // namespace keyreel::ui
