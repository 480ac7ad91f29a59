// The program's windows, created for real under Wine: the main window
// mirroring its model, the count-down window, the tray icon and the
// single-instance guard.

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "model_fixture.h"
#include "test_window.h"
#include "ui/countdown_window.h"
#include "ui/main_window.h"
#include "ui/resource_ids.h"
#include "win32/single_instance.h"
#include "win32/tray_icon.h"

namespace keyreel::ui {
namespace {

using win32::pumpUntil;
using win32::settle;

std::wstring textOf(HWND hwnd) {
    wchar_t buffer[512] = {};
    GetWindowTextW(hwnd, buffer, 512);
    return buffer;
}

HWND child(HWND parent, const wchar_t* text) {
    return FindWindowExW(parent, nullptr, nullptr, text);
}

void click(HWND parent, const wchar_t* buttonText) {
    const HWND button = child(parent, buttonText);
    ASSERT_NE(button, nullptr) << "no button";
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

int widthOf(HWND hwnd) {
    RECT rect{};
    GetClientRect(hwnd, &rect);
    return rect.right - rect.left;
}

class RecordingActions : public MainWindowActions {
  public:
    int exits = 0, hides = 0, taskbars = 0;
    std::vector<std::pair<WPARAM, LPARAM>> hotKeys;
    std::vector<UINT> trayEvents;
    void exitRequested() override { ++exits; }
    void hideRequested() override { ++hides; }
    void hotKeyPressed(WPARAM id, LPARAM keys) override { hotKeys.emplace_back(id, keys); }
    void trayIconEvent(UINT message) override { trayEvents.push_back(message); }
    void taskbarCreated() override { ++taskbars; }
    void mainWindowDpiChanged(UINT dpi) override { dpiChanges.push_back(dpi); }
    std::vector<UINT> dpiChanges;
};

class MainWindowTest : public ::testing::Test, protected ModelParts {
  protected:
    RecordingActions actions;
    MainWindow window{model, actions};
};

TEST_F(MainWindowTest, MirrorsTheModelAndPlaysWithRunAndStop) {
    ASSERT_TRUE(window.open(false));
    window.show();
    EXPECT_EQ(textOf(window.hwnd()), L"Tobrin's Keyreel   x");

    folder.write("m.kyr", "Wait >1\r\n\r\nPress_Tab\r\n");
    ASSERT_TRUE(model.loadList(folder.file("m.kyr")));
    const HWND list = FindWindowExW(window.hwnd(), nullptr, L"ListBox", nullptr);
    ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 2);

    std::vector<std::wstring> titles;
    desktop.atProcessingPoint = [&] {
        if (!titles.empty())
            return;
        titles.push_back(textOf(window.hwnd()));
        click(window.hwnd(), L"Stop");
        titles.push_back(textOf(window.hwnd()));
    };
    click(window.hwnd(), L"Run");
    titles.push_back(textOf(window.hwnd()));
    EXPECT_EQ(titles,
              (std::vector<std::wstring>{L"Tobrin's Keyreel   \u00BB", L"Tobrin's Keyreel   \u00D7",
                                         L"Tobrin's Keyreel   x"}));
    EXPECT_EQ(desktop.events(), (std::vector<std::string>{"wait 1"})) << "stopped before Tab";
}

TEST_F(MainWindowTest, ShowsThePointerOnlyWhileTrackingAndShown) {
    ASSERT_TRUE(window.open(true));
    window.show();
    const HWND label = child(window.hwnd(), L"0,0");
    ASSERT_NE(label, nullptr);
    SetCursorPos(123, 45);
    settle();
    EXPECT_EQ(textOf(label), L"0,0") << "tracking off";

    window.setMouseTracking(true);
    EXPECT_TRUE(pumpUntil([&] { return textOf(label) == L"123,45"; }));
    window.hide();
    SetCursorPos(50, 60);
    settle();
    EXPECT_EQ(textOf(label), L"123,45") << "no work while hidden";
    window.show();
    EXPECT_TRUE(pumpUntil([&] { return textOf(label) == L"50,60"; }));
}

TEST_F(MainWindowTest, HandsProgramWideMessagesToTheApplication) {
    ASSERT_TRUE(window.open(false));
    SendMessageW(window.hwnd(), WM_HOTKEY, 7, MAKELPARAM(MOD_ALT, VK_F3));
    SendMessageW(window.hwnd(), kTrayIconMessage, 1, WM_RBUTTONUP);
    SendMessageW(window.hwnd(), WM_COMMAND, kHideCommand, 0);
    SendMessageW(window.hwnd(), win32::TrayIcon::taskbarCreatedMessage(), 0, 0);
    SendMessageW(window.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(actions.hotKeys,
              (std::vector<std::pair<WPARAM, LPARAM>>{{7, MAKELPARAM(MOD_ALT, VK_F3)}}));
    EXPECT_EQ(actions.trayEvents, (std::vector<UINT>{WM_RBUTTONUP}));
    EXPECT_EQ(actions.hides, 1);
    EXPECT_EQ(actions.taskbars, 1);
    EXPECT_EQ(actions.exits, 1);
    EXPECT_TRUE(IsWindow(window.hwnd())) << "closing is the application's decision";

    const HMENU menu = GetMenu(window.hwnd());
    wchar_t caption[64] = {};
    GetMenuStringW(menu, 0, caption, 64, MF_BYPOSITION);
    EXPECT_STREQ(caption, L"&File");
    GetMenuStringW(menu, 1, caption, 64, MF_BYPOSITION);
    EXPECT_STREQ(caption, L"Hi&de");
}

TEST_F(MainWindowTest, LaysOutInTwipsAtTheWindowsDpi) {
    _putenv_s("KEYREEL_DPI", "192");
    ASSERT_TRUE(window.open(false));
    EXPECT_EQ(widthOf(child(window.hwnd(), L"Run")), 735 * 192 / 1440);
    EXPECT_EQ(widthOf(window.hwnd()), 3030 * 192 / 1440);
    window.destroy();
    _putenv_s("KEYREEL_DPI", "96");
    ASSERT_TRUE(window.open(false));
    EXPECT_EQ(widthOf(child(window.hwnd(), L"Run")), 735 * 96 / 1440);
    _putenv_s("KEYREEL_DPI", "");
}

TEST_F(MainWindowTest, TakesTheFrameWindowsSuggestsForANewDpi) {
    ASSERT_TRUE(window.open(false));
    const UINT before = window.dpi();
    const UINT after = before * 2;
    RECT suggested{40, 50, 40 + 3030 * static_cast<int>(after) / 1440 + 20, 50 + 900};
    SendMessageW(window.hwnd(), WM_DPICHANGED, MAKEWPARAM(after, after),
                 reinterpret_cast<LPARAM>(&suggested));
    RECT frame{};
    GetWindowRect(window.hwnd(), &frame);
    EXPECT_EQ(frame.left, suggested.left);
    EXPECT_EQ(frame.right - frame.left, suggested.right - suggested.left);
    EXPECT_EQ(frame.bottom - frame.top, suggested.bottom - suggested.top);
    EXPECT_EQ(widthOf(child(window.hwnd(), L"Run")), 735 * static_cast<int>(after) / 1440);
    EXPECT_EQ(actions.dpiChanges, (std::vector<UINT>{after})) << "the tray icon is drawn anew";

    SendMessageW(window.hwnd(), WM_DPICHANGED, MAKEWPARAM(after, after),
                 reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(actions.dpiChanges.size(), 1u) << "the same DPI again changes nothing";
}

TEST(CountdownWindow, CountsDownAndCancelHidesIt) {
    CountdownWindow window;
    ASSERT_TRUE(window.open(5));
    EXPECT_TRUE(IsWindowVisible(window.hwnd()));
    for (const wchar_t* text : {L"A macro will be starting in ", L"5", L"seconds.",
                                L"Press cancel to stop this operation", L"Cancel"}) {
        EXPECT_NE(child(window.hwnd(), text), nullptr) << text;
    }
    window.showRemaining(3);
    EXPECT_NE(child(window.hwnd(), L"3"), nullptr);
    EXPECT_FALSE(window.cancelled());
    click(window.hwnd(), L"Cancel");
    EXPECT_TRUE(window.cancelled());
    EXPECT_FALSE(IsWindowVisible(window.hwnd()));
}

// Wine's own tray window holds the icons when no other tray runs.
int trayIconCount() {
    const HWND tray = FindWindowW(L"__winex11_standalone_tray", nullptr);
    if (tray == nullptr)
        return 0;
    int count = 0;
    for (HWND icon = FindWindowExW(tray, nullptr, L"__winex11_tray_icon", nullptr); icon != nullptr;
         icon = FindWindowExW(tray, icon, L"__winex11_tray_icon", nullptr)) {
        if (IsWindowVisible(icon))
            ++count;
    }
    return count;
}

TEST(TrayIcon, AddsOneIconAndRemovesIt) {
    const HWND owner = CreateWindowExW(0, L"STATIC", L"owner", 0, 0, 0, 10, 10, nullptr, nullptr,
                                       nullptr, nullptr);
    const int before = trayIconCount();
    {
        win32::TrayIcon icon(owner, WM_APP + 1, KEYREEL_ICON_ID, 96);
        icon.add("Tobrin's Keyreel   x");
        icon.add("again");
        EXPECT_TRUE(icon.shown());
        EXPECT_TRUE(pumpUntil([&] { return trayIconCount() == before + 1; }));
        settle();
        EXPECT_EQ(trayIconCount(), before + 1) << "one icon however often it is added";
        icon.remove();
        EXPECT_TRUE(pumpUntil([&] { return trayIconCount() == before; }));
        icon.add("back");
    }
    EXPECT_TRUE(pumpUntil([&] { return trayIconCount() == before; }))
        << "removed with its owner object";
    DestroyWindow(owner);
}

TEST(SingleInstance, ASecondHolderSeesTheFirst) {
    const wchar_t* name = L"Local\\Keyreel.test.instance";
    {
        const win32::SingleInstance first(name);
        EXPECT_FALSE(first.anotherIsRunning());
        const win32::SingleInstance second(name);
        EXPECT_TRUE(second.anotherIsRunning());
    }
    const win32::SingleInstance later(name);
    EXPECT_FALSE(later.anotherIsRunning());
}

}  // namespace
}  // namespace keyreel::ui
