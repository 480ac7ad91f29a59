// The main window under Wine, its tray icon, nested plays, and a window that cannot be made.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "core/base/product_texts.h"
#include "model_fixture.h"
#include "test_window.h"
#include "ui/command_ids.h"
#include "ui/main_window.h"
#include "ui/resource_ids.h"
#include "ui/window.h"
#include "win32/desktop/win32_desktop.h"
#include "win32/owned.h"
#include "win32/tray_icon.h"
#include "win32/wide_text.h"

namespace keyreel::ui {
namespace {

using Titles = std::vector<std::wstring>;
using Entry = std::pair<std::string, LPARAM>;
using Log = std::vector<Entry>;

// Logs what the window hands on: {"command", kExitCommand}, {"tray", WM_RBUTTONUP}...
class RecordingActions : public MainWindowActions {
  public:
    Log log;
    std::function<void()> onHotKey;
    void commandChosen(int command) override { log.emplace_back("command", command); }
    void hotKeyPressed(WPARAM id, LPARAM keys) override {
        log.emplace_back("hotkey " + std::to_string(id), keys);
        if (onHotKey)
            onHotKey();
    }
    void trayIconEvent(UINT message) override { log.emplace_back("tray", message); }
    void taskbarCreated() override { log.emplace_back("taskbar", 0); }
    void mainWindowDpiChanged(UINT dpi) override { log.emplace_back("dpi", dpi); }
    bool dataReceived(const COPYDATASTRUCT&) override { return false; }
    void handOversDue() override {}
    bool endSessionQueried() override { return true; }
    void sessionEnding() override {}
};

class MainWindowTest : public ::testing::Test, protected ModelParts {
  protected:
    HWND list() const { return probe::findChild(window.hwnd(), L"ListBox"); }

    RecordingActions actions;
    MainWindow window{model, builder, actions};
};

TEST_F(MainWindowTest, ItsControlsActOnTheModelItMirrorsAndHandProgramWideCommandsOn) {
    ASSERT_TRUE(window.open(true));
    window.show();
    const HWND label = probe::findChild(window.hwnd(), L"", L"0,0");
    ASSERT_NE(label, nullptr);
    const std::string longLine = "SendText >a line longer than the list is wide, read in full";
    folder.write("m.kyr", "Wait >1\r\n\r\n" + longLine + "\r\n");
    ASSERT_EQ(model.loadList(folder.file("m.kyr")), MacroFileRead::Read);
    ASSERT_EQ(probe::listItems(list()), (Titles{L"Wait >1", win32::toWide(longLine)}));

    Titles titles{probe::windowText(window.hwnd())};
    desktop.atProcessingPoint = [&] {
        if (titles.size() > 1)
            return;
        titles.push_back(probe::windowText(window.hwnd()));
        probe::clickButton(window.hwnd(), L"Stop");
    };
    probe::clickButton(window.hwnd(), L"Run");
    titles.push_back(probe::windowText(window.hwnd()));
    EXPECT_EQ(titles, (Titles{L"Tobrin's Keyreel   x", L"Tobrin's Keyreel   \u00BB",
                              L"Tobrin's Keyreel   x"}));
    EXPECT_EQ(desktop.events(), (std::vector<std::string>{"wait 1"})) << "stopped before the text";
    SendMessageW(list(), LB_SETCURSEL, 0, 0);
    probe::clickButton(window.hwnd(), L"Delete");
    EXPECT_EQ(probe::listItems(list()), Titles{win32::toWide(longLine)});

    RECT first{};
    SendMessageW(list(), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    POINT at{first.left + 5, first.top + 3};
    ClientToScreen(list(), &at);
    SetCursorPos(at.x, at.y);
    EXPECT_TRUE(probe::waitFor([&] { return window.tooltipText(list()) == longLine; }));
    EXPECT_EQ(probe::windowText(label), L"0,0") << "tracking off";
    window.setMouseTracking(true);
    SetCursorPos(123, 45);
    EXPECT_TRUE(probe::waitFor([&] { return probe::windowText(label) == L"123,45"; }));
    window.hide();
    SetCursorPos(50, 60);
    probe::settle();
    EXPECT_EQ(probe::windowText(label), L"123,45") << "no work while hidden";

    SendMessageW(window.hwnd(), kTrayIconMessage, 1, WM_RBUTTONUP);
    SendMessageW(window.hwnd(), win32::TrayIcon::taskbarCreatedMessage(), 0, 0);
    // Hide is an entry of the menu bar itself, without a menu.
    const HMENU bar = GetMenu(window.hwnd());
    ASSERT_EQ(probe::menuCaptions(bar)[3], L"Hi&de");
    for (const UINT command : {GetMenuItemID(bar, 3), UINT{IDCANCEL}})
        SendMessageW(window.hwnd(), WM_COMMAND, command, 0);
    SendMessageW(window.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_EQ(actions.log, (Log{Entry("tray", WM_RBUTTONUP), Entry("taskbar", 0),
                                Entry("command", kHideCommand), Entry("command", kExitCommand)}));
    EXPECT_TRUE(IsWindow(window.hwnd())) << "closing is the application's decision";
}

TEST_F(MainWindowTest, TakesTheFrameWindowsSuggestsForANewScale) {
    ASSERT_TRUE(window.open(false));
    // A point of a screen left of and above the main one shows in full in the position label.
    const HWND label = probe::findChild(window.hwnd(), L"", L"0,0");
    RECT text{}, area{};
    const win32::WindowDc dc(label);
    const win32::SelectedObject font(
        dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
    DrawTextW(dc.get(), L"-1920,-1080", -1, &text, DT_CALCRECT | DT_SINGLELINE);
    GetClientRect(label, &area);
    EXPECT_LE(text.right, area.right) << "the position is cut off";
    const UINT after = window.dpi() * 2;
    RECT suggested{40, 50, 40 + 6000 * static_cast<int>(after) / 1440, 50 + 900};
    for (int twice = 0; twice < 2; ++twice) {
        SendMessageW(window.hwnd(), WM_DPICHANGED, MAKEWPARAM(after, after),
                     reinterpret_cast<LPARAM>(&suggested));
    }
    RECT frame{}, run{};
    GetWindowRect(window.hwnd(), &frame);
    GetWindowRect(probe::findChild(window.hwnd(), L"", L"Run"), &run);
    EXPECT_EQ(frame.left, suggested.left);
    EXPECT_EQ(frame.right - frame.left, suggested.right - suggested.left);
    EXPECT_EQ(run.right - run.left, MulDiv(735, static_cast<int>(after), 1440));
    EXPECT_EQ(actions.log, Log{Entry("dpi", after)}) << "the tray icon is drawn anew";
}

// Notes the stack at each play's start and asks for another: Run, or the
// play hot key while a message box holds the window.
struct NestingProbe : MainModelObserver {
    explicit NestingProbe(HWND main) : window(main) {}
    const HWND window;
    std::vector<std::uintptr_t> stackAtPlay;
    int ended = 0;

    void titleChanged(const std::string& title) override {
        ended += title == kIdleTitle ? 1 : 0;
        if (title != kPlayingTitle)
            return;
        volatile char here = 0;
        stackAtPlay.push_back(reinterpret_cast<std::uintptr_t>(&here));
        if (IsWindowEnabled(window))
            PostMessageW(probe::findChild(window, L"", L"Run"), BM_CLICK, 0, 0);
        else
            PostMessageW(window, WM_HOTKEY, 0, 0);
    }
    void listChanged() override {}
};

// A timer ticks only when no posted message waits: the plays have nested
// as deep as they go before a box is answered.
void CALLBACK answerBoxes(HWND, UINT, UINT_PTR, DWORD) {
    for (const HWND box : probe::windowsOfClass(L"#32770"))
        PostMessageW(box, WM_COMMAND, IDOK, 0);
}

TEST(PlayNesting, NestedPlaysStopAtTheBoundFarFromTheEndOfTheStack) {
    ULONG_PTR stackLow = 0, stackHigh = 0;
    GetCurrentThreadStackLimits(&stackLow, &stackHigh);
    // A wait, and a message box whose own loop handles the next request.
    for (const std::string line : {"Wait >1", "MessageBox >nested"}) {
        LocalFileStore store;
        MacroFiles files(store);
        win32::Win32Desktop desktop;
        MainModel model(desktop, files);
        MacroBuilder builder(model, files, desktop);
        RecordingActions actions;
        actions.onHotKey = [&] { model.runList(); };
        MainWindow window(model, builder, actions);
        ASSERT_TRUE(window.open(true));
        window.show();
        desktop.setMessageOwner(window.hwnd());
        model.appendLine(line);
        model.resetMacroLineCount();
        NestingProbe probe(window.hwnd());
        model.setObserver(&probe);
        const UINT_PTR answering = SetTimer(nullptr, 0, 200, &answerBoxes);
        model.runList();
        KillTimer(nullptr, answering);

        ASSERT_EQ(probe.stackAtPlay.size(), static_cast<std::size_t>(kMaxNestedPlays)) << line;
        EXPECT_EQ(probe.ended, kMaxNestedPlays) << "every play ended";
        EXPECT_LT(stackHigh - probe.stackAtPlay.back(), (stackHigh - stackLow) / 4) << line;
    }
}

// A window with a control of a class nobody registered.
class BrokenWindow final : public Window {
  public:
    bool open() {
        return create(
            {L"KeyreelBrokenTest", "broken", WS_OVERLAPPEDWINDOW, 0, 1000, 1000, nullptr, nullptr},
            {{L"KeyreelNoSuchControl", L"", 0, 1, 0, 0, 100, 100}});
    }
};

TEST(Window, AControlThatCannotBeMadeLeavesNoWindowAndIsReported) {
    BrokenWindow broken;
    auto told = probe::answerDialog(L"Tobrin's Keyreel", probe::pressButton(IDOK));
    EXPECT_FALSE(broken.open());
    EXPECT_EQ(told.get(), L"The window \"broken\" could not be opened.");
    EXPECT_FALSE(broken.loaded());
}

TEST(TrayIcon, AddsOneIconAndRemovesIt) {
    const win32::TestWindow owner("", win32::TestWindow::Content::Empty, false);
    const int before = probe::trayIconCount();
    {
        win32::TrayIcon icon(owner.handle(), WM_APP + 1, KEYREEL_ICON_ID, 96);
        icon.add("Tobrin's Keyreel   x");
        icon.add("again");
        EXPECT_TRUE(icon.shown());
        EXPECT_TRUE(probe::waitFor([&] { return probe::trayIconCount() == before + 1; }));
        probe::settle();
        EXPECT_EQ(probe::trayIconCount(), before + 1) << "one icon however often it is added";
        icon.remove();
        EXPECT_TRUE(probe::waitFor([&] { return probe::trayIconCount() == before; }));
        icon.add("back");
    }
    EXPECT_TRUE(probe::waitFor([&] { return probe::trayIconCount() == before; }))
        << "removed with its owner object";
}

}  // namespace
}  // namespace keyreel::ui
