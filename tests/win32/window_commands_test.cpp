// Titles, the close request and activation by title, on real windows.

#include <gtest/gtest.h>

#include <algorithm>

#include "test_window.h"
#include "win32/desktop/win32_desktop.h"

namespace keyreel::win32 {
namespace {

class WindowCommands : public ::testing::Test {
  protected:
    // Where the title stands in the stacking order, top first; -1 for nowhere.
    std::ptrdiff_t stackPosition(const std::string& title) {
        const auto titles = desktop.windowTitles();
        const auto found = std::find(titles.begin(), titles.end(), title);
        return found == titles.end() ? -1 : found - titles.begin();
    }

    Win32Desktop desktop;
};

TEST_F(WindowCommands, ActivationBringsAWindowTitledInAnyCaseToTheFront) {
    const TestWindow hidden("Keyreel hidden window", TestWindow::Content::Empty, false);
    TestWindow back("Keyreel Back Window", TestWindow::Content::Edit);
    TestWindow front("Keyreel front window", TestWindow::Content::Edit);
    ASSERT_EQ(GetForegroundWindow(), front.handle());
    EXPECT_GE(stackPosition("Keyreel hidden window"), 0);
    EXPECT_LT(stackPosition("Keyreel front window"), stackPosition("Keyreel Back Window"));

    EXPECT_TRUE(desktop.activateWindow("KEYREEL BACK WINDOW"));
    probe::settle();
    EXPECT_EQ(GetForegroundWindow(), back.handle());
    EXPECT_LT(stackPosition("Keyreel Back Window"), stackPosition("Keyreel front window"));
    desktop.typeCharacter(U'h');
    probe::settle();
    EXPECT_EQ(back.text(), "h") << "the keyboard focus went with it";

    ShowWindow(back.handle(), SW_MINIMIZE);
    front.bringToFront();
    EXPECT_TRUE(desktop.activateWindow("Keyreel Back Window"));
    probe::settle();
    EXPECT_FALSE(IsIconic(back.handle())) << "a minimised window is restored";
    EXPECT_EQ(GetForegroundWindow(), back.handle());

    EXPECT_FALSE(desktop.activateWindow("Keyreel Back"));
}

TEST_F(WindowCommands, CloseAndActivateTakeWholeTitlesAndLongOnesByTheirStart) {
    TestWindow target("Keyreel close target", TestWindow::Content::Empty);
    EXPECT_FALSE(desktop.closeWindow("Keyreel close"));
    EXPECT_TRUE(desktop.closeWindow("KEYREEL CLOSE TARGET"));
    EXPECT_TRUE(target.exists()) << "the request is posted, not waited for";
    EXPECT_TRUE(probe::waitFor([&] { return !target.exists(); }));

    // Titles are read and searched by their first 259 characters.
    const std::string title = "Keyreel long title " + std::string(300, 'x');
    const std::string seen = title.substr(0, 259);
    TestWindow longTitled(title, TestWindow::Content::Empty);
    const TestWindow front("Keyreel front window", TestWindow::Content::Empty);
    EXPECT_GE(stackPosition(seen), 0);
    EXPECT_TRUE(desktop.activateWindow(seen));
    EXPECT_EQ(GetForegroundWindow(), longTitled.handle());
    EXPECT_TRUE(desktop.closeWindow(seen));
    EXPECT_TRUE(probe::waitFor([&] { return !longTitled.exists(); }));
}

}  // namespace
}  // namespace keyreel::win32
