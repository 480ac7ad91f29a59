// The window roster that closes the program's windows, a window that
// cannot be made, the tray icon and the single-instance guard, for real
// under Wine.

#include <gtest/gtest.h>

#include <vector>

#include "test_window.h"
#include "ui/resource_ids.h"
#include "ui/window_roster.h"
#include "win32/single_instance.h"
#include "win32/tray_icon.h"

namespace keyreel::ui {
namespace {

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
    auto told = win32::answerDialog(L"Tobrin's Keyreel", win32::pressButton(IDOK));
    EXPECT_FALSE(broken.open());
    EXPECT_EQ(told.get(), L"The window \"broken\" could not be opened.");
    EXPECT_FALSE(broken.loaded());
}

TEST(TrayIcon, AddsOneIconAndRemovesIt) {
    const HWND owner = CreateWindowExW(0, L"STATIC", L"owner", 0, 0, 0, 10, 10, nullptr, nullptr,
                                       nullptr, nullptr);
    const int before = probe::trayIconCount();
    {
        win32::TrayIcon icon(owner, WM_APP + 1, KEYREEL_ICON_ID, 96);
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
