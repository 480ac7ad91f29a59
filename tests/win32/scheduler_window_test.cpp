// The scheduler window created for real under Wine: its list, clock and
// label buttons at every scale, the hidden columns that stay shut, the
// hover colour, the buttons, and the clock that goes on while a due macro
// plays.

#include <algorithm>

#include "scheduler_window_fixture.h"
#include "ui/window_roster.h"
#include "win32/system_clock.h"

namespace keyreel::ui {
namespace {

TEST_F(SchedulerWindowTest, ShowsTheListTheClockAndTheLabelButtonsAtEveryScale) {
    database() = record("Backup", "D", "3/9/2000", "9:00:00", "5") +
                 record("Weekly", "W", "3/9/2000", "9:00:00", "4");
    for (const int dpi : {96, 144}) {
        _putenv_s("KEYREEL_DPI", std::to_string(dpi).c_str());
        openWindow();
        const auto pixels = [&](int twips) { return MulDiv(twips, dpi, 1440); };
        EXPECT_EQ(text(window.hwnd()), "Macro Scheduler");
        EXPECT_EQ(GetWindowLongPtrW(window.hwnd(), GWL_STYLE) & (WS_CAPTION | WS_BORDER), 0)
            << "no border, no title bar";
        RECT client{};
        GetClientRect(window.hwnd(), &client);
        EXPECT_EQ(client.right, pixels(8430));
        EXPECT_EQ(client.bottom, pixels(3135));

        const HWND header = ListView_GetHeader(list());
        ASSERT_EQ(Header_GetItemCount(header), 8);
        for (int i = 0; i < 8; ++i) {
            const ScheduleColumnInfo& info = scheduleColumns()[static_cast<std::size_t>(i)];
            wchar_t caption[64] = {};
            LVCOLUMNW column{};
            column.mask = LVCF_TEXT;
            column.pszText = caption;
            column.cchTextMax = 64;
            ListView_GetColumn(list(), i, &column);
            EXPECT_EQ(win32::toUtf8(caption), info.caption) << i;
            EXPECT_EQ(ListView_GetColumnWidth(list(), i), pixels(info.widthTwips)) << i;
        }
        EXPECT_NE(ListView_GetExtendedListViewStyle(list()) & LVS_EX_FULLROWSELECT, 0u);
        EXPECT_EQ(cell(0, 0), "Backup");
        EXPECT_EQ(cell(1, 3), "4 !") << "a weekly entry off its weekday is marked";
        EXPECT_EQ(cell(1, 6), "False") << "hidden, but in the row";

        EXPECT_EQ(text(dateLabel()), "3/05/2000");
        EXPECT_EQ(text(weekdayLabel()), "Sunday");
        EXPECT_EQ(text(timeLabel()), "9:05:07");
        for (const SchedulerButtonInfo& info : schedulerButtons()) {
            const HWND button = label(win32::toWide(info.caption).c_str());
            ASSERT_NE(button, nullptr) << info.caption;
            RECT rect{};
            GetWindowRect(button, &rect);
            MapWindowPoints(nullptr, window.hwnd(), reinterpret_cast<POINT*>(&rect), 2);
            EXPECT_EQ(rect.left, pixels(info.leftTwips)) << info.caption;
            EXPECT_EQ(rect.top, pixels(2790)) << "one row";
            LOGFONTW font{};
            GetObjectW(reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)), sizeof font,
                       &font);
            EXPECT_STREQ(font.lfFaceName, L"Arial Black");
            EXPECT_EQ(font.lfHeight, -MulDiv(975, dpi, 7200)) << "9.75 point";
        }
        ASSERT_TRUE(window.unload());
    }
}

TEST_F(SchedulerWindowTest, TheHiddenColumnsCannotBeDraggedOrSizedOpen) {
    database() = record("Backup", "D", "3/9/2000", "9:00:00", "5");
    openWindow();
    ListView_SetColumnWidth(list(), 6, 80);
    ListView_SetColumnWidth(list(), 7, LVSCW_AUTOSIZE);
    ListView_SetColumnWidth(list(), 0, 200);
    EXPECT_EQ(ListView_GetColumnWidth(list(), 0), 200) << "the shown columns can be sized";

    // A real drag at the right end of the File Path column, where the
    // hidden columns' dividers lie.
    const HWND header = ListView_GetHeader(list());
    RECT path{};
    Header_GetItemRect(header, 5, &path);
    POINT divider{path.right, (path.top + path.bottom) / 2};
    ClientToScreen(header, &divider);
    SetForegroundWindow(window.hwnd());
    input.moveCursor(divider.x, divider.y);
    probe::settle();
    input.mouseButton(MOUSEEVENTF_LEFTDOWN);
    probe::settle();
    for (int step = 1; step <= 4; ++step) {
        input.moveCursor(divider.x + 20 * step, divider.y);
        probe::settle();
    }
    input.mouseButton(MOUSEEVENTF_LEFTUP);
    probe::settle();
    EXPECT_EQ(ListView_GetColumnWidth(list(), 6), 0);
    EXPECT_EQ(ListView_GetColumnWidth(list(), 7), 0);
}

TEST_F(SchedulerWindowTest, TheLabelUnderThePointerTurnsGreenAndTheOthersKeepTheTextColour) {
    openWindow();
    SetForegroundWindow(window.hwnd());
    const HWND remove = label(L"Delete");
    const HWND hide = label(L"Hide");
    const auto greenIn = [](HWND control) { return pixelsOfColour(control, kGreen) > 0; };
    SetCursorPos(middleOf(remove).x, middleOf(remove).y);
    EXPECT_TRUE(probe::waitFor([&] { return greenIn(remove); }));
    EXPECT_FALSE(greenIn(hide));
    SetCursorPos(middleOf(hide).x, middleOf(hide).y);
    EXPECT_TRUE(probe::waitFor([&] { return greenIn(hide) && !greenIn(remove); }));
    // The background of the window, then the list.
    SetCursorPos(middleOf(label(L"Current Date:")).x, middleOf(hide).y - 40);
    EXPECT_TRUE(probe::waitFor([&] { return !greenIn(hide); }));
    EXPECT_GT(pixelsOfColour(hide, GetSysColor(COLOR_WINDOWTEXT)), 0);
}

TEST_F(SchedulerWindowTest, TheLabelButtonsViewAddHideAndShowHelp) {
    database() = record("Backup", "D", "3/9/2000", "9:00:00", "5") +
                 record("Notes", "O", "3/9/2000", "9:30:00", "5", "first\r\nsecond");
    openWindow();
    ListView_SetItemState(list(), 1, LVIS_SELECTED, LVIS_SELECTED);
    clickLabel(L"View");
    const HWND viewer = window.viewerWindow().hwnd();
    ASSERT_NE(viewer, nullptr);
    EXPECT_EQ(text(viewer), "Current Event");
    for (const wchar_t* shown :
         {L"Notes", L"3/9/2000", L"9:30:00", L"O", L"Notes.kyr", L"first\r\nsecond"}) {
        EXPECT_NE(probe::findChild(viewer, L"", shown), nullptr) << win32::toUtf8(shown);
    }
    ListView_SetItemState(list(), 0, LVIS_SELECTED, LVIS_SELECTED);
    clickLabel(L"View");
    EXPECT_EQ(window.viewerWindow().hwnd(), viewer) << "the open viewer, filled again";
    EXPECT_NE(probe::findChild(viewer, L"", L"Backup"), nullptr);
    EXPECT_EQ(probe::findChild(viewer, L"", L"first\r\nsecond"), nullptr);

    clickLabel(L"Help");
    EXPECT_EQ(helpShown, 1);
    clickLabel(L"Add New");
    ASSERT_TRUE(window.entryWindow().loaded());
    EXPECT_EQ(GetWindow(window.entryWindow().hwnd(), GW_OWNER), window.hwnd());
    clickLabel(L"Hide");
    EXPECT_FALSE(IsWindowVisible(window.hwnd()));
    EXPECT_FALSE(window.viewerWindow().loaded() || window.entryWindow().loaded());
}

TEST_F(SchedulerWindowTest, TheClockTicksOnDuringAPlayAndAClosingDuringItLetsThePassEnd) {
    database() = record("Daily", "D", "3/5/2000", "9:05:08");
    openWindow();
    int playsSeen = 0;
    duringPlay = [&](const std::string&) {
        ++playsSeen;
        // The next tick comes inside the play, at the next second.
        setClock("3/5/2000 9:05:09");
        EXPECT_TRUE(probe::waitFor([&] { return text(timeLabel()) == "9:05:09"; }));
        window.unload();
        EXPECT_FALSE(window.loaded());
    };
    setClock("3/5/2000 9:05:08");
    ASSERT_TRUE(probe::waitFor([&] { return playsSeen == 1; }));
    EXPECT_EQ(played, Strings{"Daily.kyr"});
    // The pass that played moved the entry on and saved it.
    EXPECT_TRUE(database().starts_with("\"Daily\",\"9:05:08\",\"3/06/2000\",\"2\",\"D\","))
        << database();
    probe::settle();
    EXPECT_EQ(playsSeen, 1);
}

TEST(SystemClock, GivesTheLocalTimeToTheMillisecond) {
    win32::SystemClock clock;
    const int first = clock.now().millisecond;
    SYSTEMTIME local{};
    GetLocalTime(&local);
    LocalDateTime now = clock.now();
    EXPECT_EQ(now.year, local.wYear);
    EXPECT_EQ(now.month, local.wMonth);
    EXPECT_EQ(now.day, local.wDay);
    EXPECT_LE(std::abs((now.hour * 3600 + now.minute * 60 + now.second) -
                       (local.wHour * 3600 + local.wMinute * 60 + local.wSecond)),
              1);
    // The milliseconds move on as time goes.
    EXPECT_TRUE(probe::waitFor([&] { return (now = clock.now()).millisecond != first; }));
    EXPECT_GE(now.millisecond, 0);
    EXPECT_LE(now.millisecond, 999);
}

}  // namespace
}  // namespace keyreel::ui
