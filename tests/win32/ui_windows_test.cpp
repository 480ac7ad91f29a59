// A window that cannot be made, and the tray icon, for real under Wine.

#include <gtest/gtest.h>

#include "test_window.h"
#include "ui/resource_ids.h"
#include "ui/window.h"
#include "win32/tray_icon.h"

namespace keyreel::ui {
namespace {

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

}  // namespace
}  // namespace keyreel::ui
