#pragma once

// The scheduler's windows created for real under Wine, over an in-memory
// database and a simulated clock: the services record the message boxes
// shown (and answer them as told), the files chosen and the help shown.

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "remote_controls.h"
#include "scheduler_fixture.h"
#include "test_window.h"
#include "ui/scheduler_window.h"
#include "user_input.h"
#include "win32/desktop/win32_desktop.h"
#include "win32/wide_text.h"

namespace keyreel::ui {

inline constexpr COLORREF kGreen = RGB(0, 255, 0);

// Pixels of exactly this colour inside a control, as drawn on the screen.
inline int pixelsOfColour(HWND control, COLORREF colour) {
    ::UpdateWindow(control);
    RECT rect{};
    GetClientRect(control, &rect);
    const HDC dc = GetDC(control);
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x)
            count += GetPixel(dc, x, y) == colour ? 1 : 0;
    }
    ReleaseDC(control, dc);
    return count;
}

class SchedulerWindowTest : public ::testing::Test, protected SchedulerParts {
  protected:
    void SetUp() override { setClock("3/5/2000 9:05:07"); }
    void TearDown() override { _putenv_s("KEYREEL_DPI", ""); }

    // Opens the window with the database as it stands and waits for the
    // clock's first tick.
    void openWindow() {
        ASSERT_TRUE(window.open(nullptr));
        ASSERT_TRUE(probe::waitFor([&] { return !text(timeLabel()).empty(); }));
    }
    // The clock: "Current Date:", the date, the weekday, "Current Time:", the time.
    HWND dateLabel() const { return control(L"Static", 1); }
    HWND weekdayLabel() const { return control(L"Static", 2); }
    HWND timeLabel() const { return control(L"Static", 4); }
    HWND list() const { return FindWindowExW(window.hwnd(), nullptr, WC_LISTVIEWW, nullptr); }
    // The `index`th child of this class, in creation order.
    HWND control(const wchar_t* className, int index) const {
        HWND child = nullptr;
        for (int i = 0; i <= index; ++i)
            child = FindWindowExW(window.hwnd(), child, className, nullptr);
        return child;
    }
    HWND label(const wchar_t* caption) const {
        return probe::findChild(window.hwnd(), L"", caption);
    }
    static std::string text(HWND control) { return win32::toUtf8(probe::windowText(control)); }
    // What the list shows in a cell.
    std::string cell(int row, int column) const {
        const auto rows = probe::listViewRows(list(), column + 1);
        return row < static_cast<int>(rows.size()) ? win32::toUtf8(rows[row][column]) : "";
    }
    int rowCount() const { return static_cast<int>(SendMessageW(list(), LVM_GETITEMCOUNT, 0, 0)); }
    // A real click, or double click, of the left button at a screen point.
    // The pointer goes there first and the click waits until a window of
    // this thread hears it move: X shows a new window a moment after Windows
    // does, and a click before that lands on whatever lies beneath.
    void click(POINT at, int times = 1) {
        pointerHeard() = false;
        const HHOOK hook = SetWindowsHookExW(WH_MOUSE, notePointer, nullptr, GetCurrentThreadId());
        probe::movePointerTo(at.x + 1, at.y);
        probe::waitFor([] { return pointerHeard(); });
        UnhookWindowsHookEx(hook);
        probe::clickAt(at, times);
        probe::settle();
    }
    static bool& pointerHeard() {
        static bool heard = false;
        return heard;
    }
    static LRESULT CALLBACK notePointer(int code, WPARAM message, LPARAM data) {
        if (code >= 0 && message == WM_MOUSEMOVE)
            pointerHeard() = true;
        return CallNextHookEx(nullptr, code, message, data);
    }
    static POINT middleOf(HWND control) {
        RECT rect{};
        GetWindowRect(control, &rect);
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    // The middle of a cell of the list, on the screen.
    POINT cellPoint(int row, int column) const {
        const RECT rect = probe::listViewCell(list(), row, column).value_or(RECT{});
        return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    }
    void clickLabel(const wchar_t* caption) {
        const HWND found = label(caption);
        SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(found), STN_CLICKED),
                     reinterpret_cast<LPARAM>(found));
    }

    std::vector<MessageRequest> boxes;
    MessageAnswer answer = MessageAnswer::Ok;
    std::vector<FileDialogRequest> dialogs;
    std::optional<std::string> chosenFile;
    int helpShown = 0;
    SchedulerWindow window{
        {files, kDatabase, defaultCodePage(), clock, *this, firedOnce, toldUnreadable},
        {[this](HWND, const MessageRequest& request) {
             boxes.push_back(request);
             return answer;
         },
         [this](HWND, const FileDialogRequest& request) {
             dialogs.push_back(request);
             return chosenFile;
         },
         [this] { ++helpShown; }}};
    // Keys and pointer drags through the program's own input adapter.
    win32::Win32Desktop input;
};

}  // namespace keyreel::ui
