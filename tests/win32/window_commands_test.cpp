// Titles, the close request and activation by title, on real windows.

#include <gtest/gtest.h>

#include <algorithm>

#include "player.h"
#include "test_window.h"
#include "win32_desktop.h"

namespace keyreel::win32 {
namespace {

class WindowCommands : public ::testing::Test {
  protected:
    std::ptrdiff_t stackPosition(const std::string& title) {
        const auto titles = desktop.windowTitles();
        return std::find(titles.begin(), titles.end(), title) - titles.begin();
    }
    RunState play(MacroList lines) {
        RunState state;
        state.macroLineCount = static_cast<std::int32_t>(lines.size());
        Player(lines, state, desktop).runMacro();
        settle();
        return state;
    }

    Win32Desktop desktop;
};

TEST_F(WindowCommands, TitlesComeInStackingOrderHiddenWindowsIncluded) {
    TestWindow hidden("Keyreel hidden window", TestWindow::Content::Empty, false);
    TestWindow lower("Keyreel Stack Lower", TestWindow::Content::Empty);
    TestWindow upper("Keyreel Stack Upper", TestWindow::Content::Empty);
    const auto titles = desktop.windowTitles();
    EXPECT_NE(std::find(titles.begin(), titles.end(), "Keyreel hidden window"), titles.end());
    EXPECT_LT(stackPosition("Keyreel Stack Upper"), stackPosition("Keyreel Stack Lower"));

    lower.bringToFront();
    EXPECT_LT(stackPosition("Keyreel Stack Lower"), stackPosition("Keyreel Stack Upper"));
}

TEST_F(WindowCommands, SetFocusFindsTheTopmostTitleHoldingTheTextInAnyCase) {
    TestWindow lower("Quarterly Report - lower", TestWindow::Content::Edit);
    TestWindow upper("Quarterly REPORT - upper", TestWindow::Content::Edit);
    lower.bringToFront();
    const RunState state = play({"SetFocus >report", "SendText >typed"});
    EXPECT_EQ(state.focusTitle, "Quarterly Report - lower");
    EXPECT_EQ(lower.text(), "typed");
    EXPECT_EQ(upper.text(), "");
}

TEST_F(WindowCommands, ActivationBringsABackWindowToTheFront) {
    TestWindow back("Keyreel back window", TestWindow::Content::Edit);
    TestWindow front("Keyreel front window", TestWindow::Content::Edit);
    ASSERT_EQ(GetForegroundWindow(), front.handle());

    EXPECT_TRUE(desktop.activateWindow("KEYREEL BACK WINDOW"));
    settle();
    EXPECT_EQ(GetForegroundWindow(), back.handle());
    EXPECT_LT(stackPosition("Keyreel back window"), stackPosition("Keyreel front window"));
    play({"SendText >here"});
    EXPECT_EQ(back.text(), "here") << "the keyboard focus went with it";

    ShowWindow(back.handle(), SW_MINIMIZE);
    front.bringToFront();
    EXPECT_TRUE(desktop.activateWindow("Keyreel back window"));
    settle();
    EXPECT_FALSE(IsIconic(back.handle())) << "a minimised window is restored";
    EXPECT_EQ(GetForegroundWindow(), back.handle());

    EXPECT_FALSE(desktop.activateWindow("Keyreel back"));
    EXPECT_FALSE(desktop.activateWindow("No such window anywhere"));
}

TEST_F(WindowCommands, CloseRequestGoesToTheWindowWithTheWholeTitle) {
    TestWindow target("Keyreel close target", TestWindow::Content::Empty);
    EXPECT_FALSE(desktop.closeWindow("Keyreel close"));
    EXPECT_FALSE(desktop.closeWindow("No such window anywhere"));
    EXPECT_TRUE(desktop.closeWindow("KEYREEL CLOSE TARGET"));
    EXPECT_TRUE(target.exists()) << "the request is posted, not waited for";
    EXPECT_TRUE(pumpUntil([&] { return !target.exists(); }));

    TestWindow other("Keyreel other target", TestWindow::Content::Empty);
    play({"CloseWindow >other TARGET"});
    EXPECT_TRUE(pumpUntil([&] { return !other.exists(); }));
}

TEST_F(WindowCommands, LongTitlesAreFoundByTheirFirst259Characters) {
    const std::string title = "Keyreel long title " + std::string(300, 'x');
    TestWindow target(title, TestWindow::Content::Empty);
    TestWindow front("Keyreel front window", TestWindow::Content::Empty);
    const RunState state = play({"SetFocus >keyreel long title"});
    EXPECT_EQ(state.focusTitle, title.substr(0, 259));
    EXPECT_EQ(GetForegroundWindow(), target.handle());

    play({"CloseWindow >long title"});
    EXPECT_TRUE(pumpUntil([&] { return !target.exists(); }));
}

}  // namespace
}  // namespace keyreel::win32
