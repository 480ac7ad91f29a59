// The main window, created for real under Wine: it mirrors its model, shows
// the line under the pointer, lays itself out for every scale, and hands
// program-wide commands to the application.

#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/base/product_texts.h"
#include "core/main_window/pointer_display.h"
#include "model_fixture.h"
#include "test_window.h"
#include "ui/command_ids.h"
#include "ui/main_menus.h"
#include "ui/main_window_controls.h"
#include "win32/desktop/win32_desktop.h"
#include "win32/tray_icon.h"
#include "win32/wide_text.h"

namespace keyreel::ui {
namespace {

int clientWidth(HWND hwnd) {
    RECT rect{};
    GetClientRect(hwnd, &rect);
    return rect.right - rect.left;
}

std::vector<std::wstring> listItems(HWND list) {
    std::vector<std::wstring> items;
    for (LRESULT i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
        std::wstring item(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1,
                          L'\0');
        item.resize(static_cast<std::size_t>(
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()))));
        items.push_back(item);
    }
    return items;
}

class RecordingActions : public MainWindowActions {
  public:
    std::vector<int> commands;
    std::vector<std::pair<WPARAM, LPARAM>> hotKeys;
    std::vector<UINT> trayEvents;
    std::vector<UINT> dpiChanges;
    int taskbars = 0;
    void commandChosen(int command) override { commands.push_back(command); }
    void hotKeyPressed(WPARAM id, LPARAM keys) override { hotKeys.emplace_back(id, keys); }
    void trayIconEvent(UINT message) override { trayEvents.push_back(message); }
    void taskbarCreated() override { ++taskbars; }
    void mainWindowDpiChanged(UINT dpi) override { dpiChanges.push_back(dpi); }
    bool dataReceived(const COPYDATASTRUCT&) override { return false; }
    void handOversDue() override {}
    bool endSessionQueried() override { return true; }
    void sessionEnding() override {}
};

class MainWindowTest : public ::testing::Test, protected ModelParts {
  protected:
    void TearDown() override { _putenv_s("KEYREEL_DPI", ""); }

    void openInFront() {
        ASSERT_TRUE(window.open(false));
        window.show();
        ASSERT_TRUE(probe::waitFor([&] { return GetForegroundWindow() == window.hwnd(); }));
        probe::settle();
    }

    RecordingActions actions;
    MainWindow window{model, builder, actions};
};

TEST_F(MainWindowTest, MirrorsTheModelAndPlaysWithRunAndStop) {
    ASSERT_TRUE(window.open(false));
    window.show();
    EXPECT_EQ(probe::windowText(window.hwnd()), L"Tobrin's Keyreel   x");

    folder.write("m.kyr", "Wait >1\r\n\r\nPress_Tab\r\n");
    ASSERT_EQ(model.loadList(folder.file("m.kyr")), MacroFileRead::Read);
    const HWND list = probe::findChild(window.hwnd(), L"ListBox");
    ASSERT_EQ(listItems(list), (std::vector<std::wstring>{L"Wait >1", L"Press_Tab"}));

    std::vector<std::wstring> titles;
    desktop.atProcessingPoint = [&] {
        if (!titles.empty())
            return;
        titles.push_back(probe::windowText(window.hwnd()));
        probe::clickButton(window.hwnd(), L"Stop");
        titles.push_back(probe::windowText(window.hwnd()));
    };
    probe::clickButton(window.hwnd(), L"Run");
    titles.push_back(probe::windowText(window.hwnd()));
    EXPECT_EQ(titles,
              (std::vector<std::wstring>{L"Tobrin's Keyreel   \u00BB", L"Tobrin's Keyreel   \u00D7",
                                         L"Tobrin's Keyreel   x"}));
    EXPECT_EQ(desktop.events(), (std::vector<std::string>{"wait 1"})) << "stopped before Tab";
}

TEST_F(MainWindowTest, TheListsTooltipShowsTheLineUnderThePointer) {
    openInFront();
    builder.add({"SendText", 7, "a line longer than the list is wide, read in full"});
    builder.add({"Press_Enter", 14, ""});
    const HWND list = probe::findChild(window.hwnd(), L"ListBox");
    const auto moveTo = [&](int x, int y) {
        POINT at{x, y};
        ClientToScreen(list, &at);
        SetCursorPos(at.x, at.y);
    };
    RECT first{};
    SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    moveTo(first.left + 5, first.top + 3);
    EXPECT_TRUE(probe::waitFor([&] {
        return window.tooltipText(list) ==
               "SendText >a line longer than the list is wide, read in full";
    }));
    RECT client{};
    GetClientRect(list, &client);
    moveTo(client.left + 5, client.bottom - 4);
    EXPECT_TRUE(probe::waitFor([&] { return window.tooltipText(list) == "Press_Enter"; }))
        << "below the last line: the last line";
    // A point outside the client area, as while the list holds the pointer.
    SendMessageW(list, WM_MOUSEMOVE, 0, MAKELPARAM(client.right + 3, 5));
    EXPECT_EQ(window.tooltipText(list), "");

    const HWND location = GetDlgItem(window.hwnd(), kMouseLocation);
    EXPECT_EQ(window.tooltipText(location), kTrackerOnTip);
    window.setTrackerShown(true);
    EXPECT_EQ(window.tooltipText(location), kTrackerOffTip);
}

TEST_F(MainWindowTest, ShowsThePointerOnlyWhileTrackingAndShown) {
    ASSERT_TRUE(window.open(true));
    window.show();
    const HWND label = probe::findChild(window.hwnd(), L"", L"0,0");
    ASSERT_NE(label, nullptr);
    SetCursorPos(123, 45);
    probe::settle();
    EXPECT_EQ(probe::windowText(label), L"0,0") << "tracking off";

    window.setMouseTracking(true);
    EXPECT_TRUE(probe::waitFor([&] { return probe::windowText(label) == L"123,45"; }));
    window.hide();
    SetCursorPos(50, 60);
    probe::settle();
    EXPECT_EQ(probe::windowText(label), L"123,45") << "no work while hidden";
    window.show();
    EXPECT_TRUE(probe::waitFor([&] { return probe::windowText(label) == L"50,60"; }));

    // A point of a screen left of and above the main one, in full.
    const std::wstring wide = L"-1920,-1080";
    const HDC dc = GetDC(label);
    const HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    SelectObject(dc, previous);
    ReleaseDC(label, dc);
    RECT area{};
    GetClientRect(label, &area);
    EXPECT_LE(size.cx, area.right) << "the position is cut off";
}

TEST_F(MainWindowTest, HandsProgramWideCommandsToTheApplication) {
    ASSERT_TRUE(window.open(false));
    SendMessageW(window.hwnd(), WM_HOTKEY, 7, MAKELPARAM(MOD_ALT, VK_F3));
    SendMessageW(window.hwnd(), kTrayIconMessage, 1, WM_RBUTTONUP);
    SendMessageW(window.hwnd(), win32::TrayIcon::taskbarCreatedMessage(), 0, 0);
    for (const int command :
         std::initializer_list<int>{kHideCommand, kMacroHelpCommand, kTrayHelpCommand,
                                    kAboutCommand, kTrayExitCommand, IDCANCEL})
        SendMessageW(window.hwnd(), WM_COMMAND, static_cast<WPARAM>(command), 0);
    const HWND label = probe::findChild(window.hwnd(), L"", L"0,0");
    SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(label), STN_DBLCLK),
                 reinterpret_cast<LPARAM>(label));
    SendMessageW(window.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(actions.hotKeys,
              (std::vector<std::pair<WPARAM, LPARAM>>{{7, MAKELPARAM(MOD_ALT, VK_F3)}}));
    EXPECT_EQ(actions.trayEvents, (std::vector<UINT>{WM_RBUTTONUP}));
    EXPECT_EQ(actions.taskbars, 1);
    EXPECT_EQ(actions.commands,
              (std::vector<int>{kHideCommand, kMacroHelpCommand, kTrayHelpCommand, kAboutCommand,
                                kTrayExitCommand, kToggleTrackerCommand, kExitCommand}));
    EXPECT_TRUE(IsWindow(window.hwnd())) << "closing is the application's decision";

    // Only the menus of windows that exist, with their access keys.
    const HMENU bar = GetMenu(window.hwnd());
    EXPECT_EQ(probe::menuCaptions(bar),
              (std::vector<std::wstring>{L"&File", L"&Build", L"&Prefs", L"Hi&de", L"&Help"}));
    EXPECT_EQ(probe::menuCaptions(GetSubMenu(bar, 0)),
              (std::vector<std::wstring>{L"&Load", L"&Clear", L"", L"E&xit"}));
    EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 0), 3), static_cast<UINT>(kExitCommand));
    EXPECT_EQ(probe::menuCaptions(GetSubMenu(bar, 1)),
              (std::vector<std::wstring>{L"&Edit", L"&Record"}));
    EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 1), 0), static_cast<UINT>(kEditCommand));
    EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 1), 1), static_cast<UINT>(kRecordCommand));
    EXPECT_EQ(probe::menuCaptions(GetSubMenu(bar, 2)),
              (std::vector<std::wstring>{L"&StartUp Preferences", L"&Scheduler"}));
    EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 2), 0), static_cast<UINT>(kStartupPreferencesCommand));
    EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 2), 1), static_cast<UINT>(kSchedulerCommand));
    EXPECT_EQ(probe::menuCaptions(GetSubMenu(bar, 4)),
              (std::vector<std::wstring>{L"&Macro Help", L"&About"}));
    const win32::OwnedMenu tray = createTrayMenu();
    EXPECT_EQ(probe::menuCaptions(tray.get()),
              (std::vector<std::wstring>{L"Scheduler", L"Load Macro", L"Preferences", L"Record",
                                         L"Stop", L"Edit", L"Help", L"About", L"", L"Exit"}));
    EXPECT_EQ(GetMenuItemID(tray.get(), 0), static_cast<UINT>(kTraySchedulerCommand));
    EXPECT_EQ(GetMenuItemID(tray.get(), 2), static_cast<UINT>(kTrayPreferencesCommand));
    EXPECT_EQ(GetMenuItemID(tray.get(), 3), static_cast<UINT>(kRecordCommand));
}

TEST_F(MainWindowTest, KeepsTheLayoutAndShowsTheWholeCaptionAtEveryScale) {
    for (const int dpi : {96, 144, 192}) {
        _putenv_s("KEYREEL_DPI", std::to_string(dpi).c_str());
        ASSERT_TRUE(window.open(false));
        const auto pixels = [&](int twips) { return MulDiv(twips, dpi, 1440); };
        RECT run{};
        GetWindowRect(probe::findChild(window.hwnd(), L"", L"Run"), &run);
        MapWindowPoints(nullptr, window.hwnd(), reinterpret_cast<POINT*>(&run), 2);
        EXPECT_EQ(run.left, pixels(2280)) << dpi;
        EXPECT_EQ(run.right - run.left, pixels(735)) << dpi;
        RECT client{};
        GetClientRect(window.hwnd(), &client);
        // Taller where the menu bar is drawn for the system's DPI, not the
        // forced one.
        EXPECT_GE(client.bottom, pixels(3900)) << dpi;

        // The caption text, its icon and three caption buttons fit.
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
        const HFONT font = CreateFontIndirectW(&metrics.lfCaptionFont);
        const HDC dc = GetDC(nullptr);
        SelectObject(dc, font);
        SIZE text{};
        GetTextExtentPoint32W(dc, L"Tobrin's Keyreel   \u00D7", 20, &text);
        ReleaseDC(nullptr, dc);
        DeleteObject(font);
        const int needed =
            text.cx + GetSystemMetricsForDpi(SM_CXSMICON, dpi) + 3 * metrics.iCaptionWidth;
        EXPECT_GE(clientWidth(window.hwnd()), needed) << dpi;
        EXPECT_GE(clientWidth(window.hwnd()), pixels(3030)) << dpi;
        window.destroy();
    }
}

TEST_F(MainWindowTest, TakesTheFrameWindowsSuggestsForANewDpi) {
    ASSERT_TRUE(window.open(false));
    const UINT before = window.dpi();
    const UINT after = before * 2;
    RECT suggested{40, 50, 40 + 6000 * static_cast<int>(after) / 1440, 50 + 900};
    SendMessageW(window.hwnd(), WM_DPICHANGED, MAKEWPARAM(after, after),
                 reinterpret_cast<LPARAM>(&suggested));
    RECT frame{};
    GetWindowRect(window.hwnd(), &frame);
    EXPECT_EQ(frame.left, suggested.left);
    EXPECT_EQ(frame.right - frame.left, suggested.right - suggested.left);
    EXPECT_EQ(frame.bottom - frame.top, suggested.bottom - suggested.top);
    RECT run{};
    GetClientRect(probe::findChild(window.hwnd(), L"", L"Run"), &run);
    EXPECT_EQ(run.right, 735 * static_cast<int>(after) / 1440);
    EXPECT_EQ(actions.dpiChanges, (std::vector<UINT>{after})) << "the tray icon is drawn anew";

    SendMessageW(window.hwnd(), WM_DPICHANGED, MAKEWPARAM(after, after),
                 reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(actions.dpiChanges.size(), 1u) << "the same DPI again changes nothing";
}

}  // namespace
}  // namespace keyreel::ui
