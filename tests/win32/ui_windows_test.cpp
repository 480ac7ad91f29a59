// The program's windows besides the main window, created for real under
// Wine: the count-down, the about box, the tracker and the roster that closes
// them, a window that cannot be made; the tray icon and the single-instance
// guard.

#include <gtest/gtest.h>

#include <cstdlib>
#include <utility>
#include <vector>

#include "core/main_window/pointer_display.h"
#include "dialog_answer.h"
#include "test_window.h"
#include "ui/about_window.h"
#include "ui/countdown_window.h"
#include "ui/resource_ids.h"
#include "ui/tracker_window.h"
#include "ui/window_roster.h"
#include "win32/single_instance.h"
#include "win32/tray_icon.h"
#include "win32/wide_text.h"

namespace keyreel::ui {
namespace {

int windowsOfClass(const wchar_t* className) {
    int count = 0;
    for (HWND window = FindWindowExW(nullptr, nullptr, className, nullptr); window != nullptr;
         window = FindWindowExW(nullptr, window, className, nullptr)) {
        ++count;
    }
    return count;
}

TEST(CountdownWindow, CountsDownAndCancelHidesIt) {
    CountdownWindow window;
    ASSERT_TRUE(window.open(5));
    EXPECT_TRUE(IsWindowVisible(window.hwnd()));
    for (const wchar_t* text : {L"A macro will be starting in ", L"5", L"seconds.",
                                L"Press cancel to stop this operation", L"Cancel"}) {
        EXPECT_NE(probe::findChild(window.hwnd(), L"", text), nullptr) << text;
    }
    window.showRemaining(3);
    EXPECT_NE(probe::findChild(window.hwnd(), L"", L"3"), nullptr);
    EXPECT_FALSE(window.cancelled());
    probe::clickButton(window.hwnd(), L"Cancel");
    EXPECT_TRUE(window.cancelled());
    EXPECT_FALSE(IsWindowVisible(window.hwnd()));
}

TEST(AboutWindow, ShowsNameVersionAndDisclaimerInOneWindow) {
    AboutWindow about;
    ASSERT_TRUE(about.open());
    EXPECT_TRUE(IsWindowVisible(about.hwnd()));
    EXPECT_EQ(probe::windowText(about.hwnd()), L"About Tobrin's Keyreel");
    EXPECT_NE(probe::findChild(about.hwnd(), L"", L"Tobrin's Keyreel"), nullptr);
    EXPECT_NE(probe::findChild(about.hwnd(), L"", L"Version 2.1.0"), nullptr)
        << "from the resource";
    EXPECT_NE(probe::findChild(about.hwnd(), L"",
                               L"Disclaimer:    This program was developed as is.  Use at your own "
                               L"risk.  The program is not responsible for damage, "
                               L"misconfiguration, loss of data, death, eruption or earthquakes "
                               L"associated by using this program."),
              nullptr);
    const HWND icon = FindWindowExW(about.hwnd(), nullptr, L"Static", L"");
    EXPECT_NE(SendMessageW(icon, STM_GETICON, 0, 0), 0);

    const HWND first = about.hwnd();
    ASSERT_TRUE(about.open());
    EXPECT_EQ(about.hwnd(), first) << "opened twice: the one window";
    EXPECT_EQ(windowsOfClass(L"KeyreelAboutWindow"), 1);
    SendMessageW(about.hwnd(), WM_COMMAND, IDCANCEL, 0);  // Escape
    EXPECT_FALSE(about.loaded());
    ASSERT_TRUE(about.open());
    EXPECT_NE(probe::findChild(about.hwnd(), L"", L"Version 2.1.0"), nullptr) << "loaded afresh";
}

TEST(TrackerWindow, FollowsThePointerBesideItWithoutTakingTheFocus) {
    win32::TestWindow front("Keyreel tracker test", win32::TestWindow::Content::Edit);
    TrackerWindow tracker;
    SetCursorPos(0, 0);
    ASSERT_TRUE(tracker.open());
    const HWND label = FindWindowExW(tracker.hwnd(), nullptr, L"Static", nullptr);
    const auto placedAt = [&](int x, int y) {
        const TrackerPlacement at = trackerPlacement(x, y, static_cast<int>(tracker.dpi()));
        RECT rect{};
        GetWindowRect(tracker.hwnd(), &rect);
        return rect.left == at.left && rect.top == at.top &&
               probe::windowText(label) == win32::toWide(pointerPositionText(x, y));
    };
    EXPECT_TRUE(probe::waitFor([&] { return placedAt(0, 0); })) << "beside the corner, \"0,0\"";
    EXPECT_EQ(probe::windowText(label), L"0,0");
    SetCursorPos(400, 300);
    EXPECT_TRUE(probe::waitFor([&] { return placedAt(400, 300); }));
    EXPECT_EQ(probe::windowText(label), L"400,300");

    RECT client{};
    GetClientRect(tracker.hwnd(), &client);
    EXPECT_EQ(client.right, tracker.toPixels(690));
    EXPECT_EQ(client.bottom, tracker.toPixels(210));
    EXPECT_NE(GetWindowLongPtrW(tracker.hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(GetWindowLongPtrW(tracker.hwnd(), GWL_STYLE) & WS_CAPTION, 0) << "no frame";
    EXPECT_EQ(GetForegroundWindow(), front.handle()) << "the focus stays where it was";

    const HWND first = tracker.hwnd();
    ASSERT_TRUE(tracker.open());
    EXPECT_EQ(tracker.hwnd(), first) << "an open tracker is reused";
    EXPECT_TRUE(tracker.unload());
    EXPECT_FALSE(IsWindow(first));
}

// A window that records its unloading and may refuse it.
class RecordingWindow final : public Window {
  public:
    RecordingWindow(const char* name, std::vector<std::string>& log) : name_(name), log_(log) {}
    bool open() {
        return create(
            {L"KeyreelRosterTest", name_, WS_OVERLAPPEDWINDOW, 0, 1000, 1000, nullptr, nullptr},
            controls);
    }
    bool unload() override {
        log_.push_back(name_);
        return !refuse && Window::unload();
    }
    bool refuse = false;
    std::vector<ControlPlacement> controls;

  private:
    std::string name_;
    std::vector<std::string>& log_;
};

TEST(WindowRoster, ExitClosesNewestFirstAndHideInItsOwnOrder) {
    std::vector<std::string> log;
    RecordingWindow a("a", log), b("b", log), c("c", log);
    WindowRoster roster{&a, &b, &c};
    c.open();
    a.open();
    b.open();
    roster.unloadForHide();
    EXPECT_EQ(log, (std::vector<std::string>{"a", "b", "c"}));

    log.clear();
    c.open();
    a.open();
    b.open();
    c.destroy();  // closed by the user
    c.open();     // and opened again: now the newest
    EXPECT_EQ(roster.loadedNewestFirst(), (std::vector<Window*>{&c, &b, &a}));
    a.refuse = true;
    EXPECT_FALSE(roster.unloadAll());
    EXPECT_EQ(log, (std::vector<std::string>{"c", "b", "a"}));
    EXPECT_TRUE(a.loaded()) << "the window that refused stays";
    a.refuse = false;
    EXPECT_TRUE(roster.unloadAll());
    EXPECT_FALSE(a.loaded());
    EXPECT_TRUE(roster.loadedNewestFirst().empty());
}

TEST(Window, AControlThatCannotBeMadeLeavesNoWindowAndIsReported) {
    std::vector<std::string> log;
    RecordingWindow broken("broken", log);
    broken.controls = {{L"KeyreelNoSuchControl", L"", 0, 1, 0, 0, 100, 100}};
    win32::MessageBoxAnswer told(L"Tobrin's Keyreel", IDOK);
    EXPECT_FALSE(broken.open());
    told.finish();
    EXPECT_EQ(told.text, L"The window \"broken\" could not be opened.");
    EXPECT_FALSE(broken.loaded());
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
        EXPECT_TRUE(probe::waitFor([&] { return trayIconCount() == before + 1; }));
        probe::settle();
        EXPECT_EQ(trayIconCount(), before + 1) << "one icon however often it is added";
        icon.remove();
        EXPECT_TRUE(probe::waitFor([&] { return trayIconCount() == before; }));
        icon.add("back");
    }
    EXPECT_TRUE(probe::waitFor([&] { return trayIconCount() == before; }))
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
