// The scheduler's windows under Wine, over an in-memory database and a simulated clock.

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "remote_controls.h"
#include "scheduler_fixture.h"
#include "ui/scheduler_window.h"
#include "win32/desktop/win32_desktop.h"
#include "win32/wide_text.h"
#include "window_probe.h"

namespace keyreel::ui {
namespace {

// Whether a control, as drawn on the screen, has a pixel of this colour.
bool drawnIn(HWND control, COLORREF colour) {
    ::UpdateWindow(control);
    RECT rect{};
    GetClientRect(control, &rect);
    const HDC dc = GetDC(control);
    int i = 0;
    while (i < rect.right * rect.bottom && GetPixel(dc, i % rect.right, i / rect.right) != colour)
        ++i;
    ReleaseDC(control, dc);
    return i < rect.right * rect.bottom;
}

class SchedulerWindowTest : public ::testing::Test, protected SchedulerParts {
  protected:
    void SetUp() override {
        setClock("3/5/2000 9:05:07");
        database() = record("Backup", "D", "3/9/2000", "9:00:00", "5") +
                     record("Notes", "W", "3/9/2000", "9:30:00", "4", "first\r\nsecond");
    }
    void TearDown() override { _putenv_s("KEYREEL_DPI", ""); }

    void openWindow() {
        ASSERT_TRUE(window.open(nullptr));
        ASSERT_TRUE(probe::waitFor([&] { return label(L"9:05:07") != nullptr; }));
    }
    HWND list() const { return FindWindowExW(window.hwnd(), nullptr, WC_LISTVIEWW, nullptr); }
    HWND label(const wchar_t* caption) const {
        return probe::findChild(window.hwnd(), L"", caption);
    }
    std::string cell(std::size_t row, int column) const {
        return win32::toUtf8(probe::listViewRows(list(), column + 1).at(row).at(column));
    }
    // Injected input reaches this program's windows whatever X does with the pointer.
    POINT doubleClickCell(int row, int column) {
        const RECT rect = probe::listViewCell(list(), row, column).value_or(RECT{});
        const POINT at{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        input.moveCursor(at.x, at.y);
        for (const DWORD button :
             {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP})
            input.mouseButton(button);
        return at;
    }

    int helpShown = 0;
    SchedulerWindow window{
        {files, kDatabase, defaultCodePage(), clock, *this, firedOnce, toldUnreadable,
         [](const std::string&) { return false; }},
        {[](HWND, const MessageRequest&) { return MessageAnswer::No; },
         [](HWND, const FileDialogRequest&) { return std::optional<std::string>(); },
         [this] { ++helpShown; }}};
    win32::Win32Desktop input;
};

TEST_F(SchedulerWindowTest, ShowsTheRowsAndTheClockAtItsScaleAndItsLabelButtonsAct) {
    _putenv_s("KEYREEL_DPI", "144");
    openWindow();
    RECT client{};
    GetClientRect(window.hwnd(), &client);
    EXPECT_EQ(client.right, MulDiv(8430, 144, 1440));
    EXPECT_EQ(cell(0, 0), "Backup");
    EXPECT_EQ(cell(1, 3), "4 !") << "a weekly entry off its weekday is marked";
    EXPECT_NE(label(L"Sunday"), nullptr);

    // Only the label under the pointer turns green.
    const HWND hide = label(L"Hide");
    SetForegroundWindow(window.hwnd());
    RECT rect{};
    GetWindowRect(hide, &rect);
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    EXPECT_TRUE(probe::waitFor([&] { return drawnIn(hide, RGB(0, 255, 0)); }));
    EXPECT_FALSE(drawnIn(label(L"Help"), RGB(0, 255, 0)));

    ListView_SetItemState(list(), 1, LVIS_SELECTED, LVIS_SELECTED);
    probe::clickButton(window.hwnd(), L"View");
    const HWND viewer = window.viewerWindow().hwnd();
    ASSERT_NE(viewer, nullptr);
    EXPECT_NE(probe::findChild(viewer, L"", L"first\r\nsecond"), nullptr);
    probe::clickButton(window.hwnd(), L"Help");
    EXPECT_EQ(helpShown, 1);
    probe::clickButton(window.hwnd(), L"Hide");
    EXPECT_FALSE(IsWindowVisible(window.hwnd()));
    EXPECT_FALSE(window.viewerWindow().loaded());
}

TEST_F(SchedulerWindowTest, ADoubleClickedCellOpensItsEditorThereAndHiddenColumnsStayShut) {
    openWindow();
    // One column per kind of editor: a time picker, a choice list, a text box.
    const SYSTEMTIME time{2000, 3, 0, 5, 7, 3, 0, 0};
    const std::tuple<int, std::function<void(HWND)>, const char*> edits[] = {
        {1, [&](HWND shown) { DateTime_SetSystemtime(shown, GDT_VALID, &time); }, "7:03:00"},
        {4, [](HWND shown) { SetWindowTextW(shown, L"Weekly - W"); }, "W"},
        {5, [](HWND shown) { SetWindowTextW(shown, L"C:\\A,B\\x.kyr"); }, "C:\\A,B\\x.kyr"},
    };
    for (const auto& [column, change, written] : edits) {
        const POINT at = doubleClickCell(0, column);
        ASSERT_TRUE(probe::waitFor([&] { return window.updateWindow().loaded(); })) << column;
        const HWND editor = window.updateWindow().hwnd();
        RECT frame{};
        GetWindowRect(editor, &frame);
        EXPECT_EQ(std::make_pair(frame.left, frame.top), std::make_pair(at.x, at.y));
        EXPECT_FALSE(IsWindowEnabled(window.hwnd())) << "modal";
        for (const probe::Child& child : probe::children(editor)) {
            if (IsWindowVisible(child.hwnd) && child.className != L"Button" &&
                child.className != L"Static")
                change(child.hwnd);
        }
        probe::clickButton(editor, L"Modify");
        EXPECT_FALSE(window.updateWindow().loaded());
        EXPECT_EQ(cell(0, column), written) << column;
    }

    // The hidden columns' dividers lie at the right end of the File Path column.
    const HWND header = ListView_GetHeader(list());
    RECT path{};
    Header_GetItemRect(header, 5, &path);
    POINT divider{path.right, (path.top + path.bottom) / 2};
    ClientToScreen(header, &divider);
    SetForegroundWindow(window.hwnd());
    input.moveCursor(divider.x, divider.y);
    input.mouseButton(MOUSEEVENTF_LEFTDOWN);
    for (int step = 1; step <= 4; ++step) {
        probe::settle();
        input.moveCursor(divider.x + 20 * step, divider.y);
    }
    input.mouseButton(MOUSEEVENTF_LEFTUP);
    probe::settle();
    EXPECT_EQ(ListView_GetColumnWidth(list(), 6), 0);
    EXPECT_EQ(ListView_GetColumnWidth(list(), 7), 0);
}

TEST_F(SchedulerWindowTest, TheClockTicksOnDuringAPlayAndAClosingDuringItLetsThePassEnd) {
    database() = record("Daily", "D", "3/5/2000", "9:05:08");
    openWindow();
    int playsSeen = 0;
    duringPlay = [&](const std::string&) {
        ++playsSeen;
        setClock("3/5/2000 9:05:09");
        EXPECT_TRUE(probe::waitFor([&] { return label(L"9:05:09") != nullptr; }));
        window.unload();
    };
    setClock("3/5/2000 9:05:08");
    ASSERT_TRUE(probe::waitFor([&] { return playsSeen == 1; }));
    EXPECT_EQ(played, Strings{"Daily.kyr"});
    EXPECT_TRUE(database().starts_with("\"Daily\",\"9:05:08\",\"3/06/2000\",\"2\",\"D\","))
        << database();
    probe::settle();
    EXPECT_EQ(playsSeen, 1);
}

}  // namespace
}  // namespace keyreel::ui
