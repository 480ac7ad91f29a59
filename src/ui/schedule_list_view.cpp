#include "ui/schedule_list_view.h"

// After windows.h, which it needs.
#include <commctrl.h>

#include "core/schedule/schedule_entry.h"
#include "win32/wide_text.h"

namespace keyreel::ui {

namespace {

constexpr UINT_PTR kGuardSubclass = 1;

bool resizable(int column) {
    return column >= 0 && static_cast<std::size_t>(column) < kScheduleColumnCount &&
           scheduleColumns()[static_cast<std::size_t>(column)].resizable;
}

// Whether a header notification would change the width of a column that
// must stay as it is: a drag of its divider, a double click on it (which
// fits the column to its texts), or any other change of its width (Ctrl
// and the keypad's plus fit every column).
bool changesFixedWidth(const NMHDR& header) {
    const auto& notice = reinterpret_cast<const NMHEADERW&>(header);
    switch (header.code) {
        case HDN_BEGINTRACKW:
        case HDN_BEGINTRACKA:
        case HDN_DIVIDERDBLCLICKW:
        case HDN_DIVIDERDBLCLICKA:
            return !resizable(notice.iItem);
        case HDN_ITEMCHANGINGW:
        case HDN_ITEMCHANGINGA:
            return notice.pitem != nullptr && (notice.pitem->mask & HDI_WIDTH) != 0 &&
                   !resizable(notice.iItem);
        default:
            return false;
    }
}

}  // namespace

void ScheduleListView::attach(HWND list, const Window& window) {
    list_ = list;
    window_ = &window;
    SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    for (std::size_t i = 0; i < kScheduleColumnCount; ++i) {
        const ScheduleColumnInfo& info = scheduleColumns()[i];
        std::wstring caption = win32::toWide(info.caption);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = caption.data();
        column.cx = window.toPixels(info.widthTwips);
        column.iSubItem = static_cast<int>(i);
        SendMessageW(list_, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    // The header tells the list of every change of a column's width; the
    // guard sees it first.
    SetWindowSubclass(list_, &ScheduleListView::guardProc, kGuardSubclass, 0);
}

void ScheduleListView::setColumnWidths() {
    for (std::size_t i = 0; i < kScheduleColumnCount; ++i) {
        const ScheduleColumnInfo& info = scheduleColumns()[i];
        if (info.resizable)
            SendMessageW(list_, LVM_SETCOLUMNWIDTH, i, window_->toPixels(info.widthTwips));
    }
}

void ScheduleListView::insertRow(std::size_t row) {
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(row);
    item.pszText = const_cast<wchar_t*>(L"");
    SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void ScheduleListView::setCell(std::size_t row, std::size_t column, const std::string& text) {
    std::wstring wide = win32::toWide(text);
    LVITEMW item{};
    item.iSubItem = static_cast<int>(column);
    item.pszText = wide.data();
    SendMessageW(list_, LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

void ScheduleListView::removeRow(std::size_t row) {
    SendMessageW(list_, LVM_DELETEITEM, row, 0);
}

void ScheduleListView::clear() {
    SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
}

std::size_t ScheduleListView::rowCount() const {
    return static_cast<std::size_t>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
}

std::optional<std::size_t> ScheduleListView::selectedRow() const {
    const LRESULT row =
        SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED);
    if (row < 0)
        return std::nullopt;
    return static_cast<std::size_t>(row);
}

ScheduleListView::Cell ScheduleListView::cellAt(POINT point) const {
    LVHITTESTINFO hit{};
    hit.pt = point;
    const LRESULT row = SendMessageW(list_, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    Cell cell;
    if (row >= 0)
        cell.row = static_cast<std::size_t>(row);
    cell.column = hit.iSubItem >= 0 ? static_cast<std::size_t>(hit.iSubItem) : 0;
    return cell;
}

LRESULT CALLBACK ScheduleListView::guardProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR, DWORD_PTR) {
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header->hwndFrom == ListView_GetHeader(list) && changesFixedWidth(*header))
            return TRUE;
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(list, &ScheduleListView::guardProc, kGuardSubclass);
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

}  // namespace keyreel::ui
