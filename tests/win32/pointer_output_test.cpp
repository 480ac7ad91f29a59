// Pointer moves and button events on a real window.

#include <gtest/gtest.h>

#include "player.h"
#include "test_window.h"
#include "win32_desktop.h"

namespace keyreel::win32 {
namespace {

using Events = std::vector<std::string>;

class PointerOutput : public ::testing::Test {
  protected:
    void play(MacroList lines) {
        RunState state;
        state.macroLineCount = static_cast<std::int32_t>(lines.size());
        Player(lines, state, desktop).runMacro();
        settle();
    }
    // A MouseMove line to a point in the target's client area.
    std::string moveTo(int x, int y) const {
        const POINT point = target.onScreen(x, y);
        return "MouseMove >" + std::to_string(point.x) + "," + std::to_string(point.y);
    }

    Win32Desktop desktop;
    TestWindow target{"Keyreel pointer test", TestWindow::Content::Empty};
};

TEST_F(PointerOutput, MovesThePointerWithinTheScreen) {
    const POINT inside = target.onScreen(30, 40);
    desktop.moveCursor(inside.x, inside.y);
    POINT at{};
    GetCursorPos(&at);
    EXPECT_EQ(at.x, inside.x);
    EXPECT_EQ(at.y, inside.y);

    desktop.moveCursor(-500, -32768);
    GetCursorPos(&at);
    EXPECT_EQ(at.x, 0);
    EXPECT_EQ(at.y, 0);

    desktop.moveCursor(32767, 32767);
    GetCursorPos(&at);
    EXPECT_EQ(at.x, GetSystemMetrics(SM_CXSCREEN) - 1);
    EXPECT_EQ(at.y, GetSystemMetrics(SM_CYSCREEN) - 1);
}

TEST_F(PointerOutput, ClicksActWhereThePointerIs) {
    play({moveTo(20, 30), "LClick", moveTo(50, 60), "RClick"});
    EXPECT_EQ(target.events(), (Events{"ldown 20,30", "lup 20,30", "rdown 50,60", "rup 50,60"}));
}

TEST_F(PointerOutput, DoubleClicksArriveAsDoubleClicks) {
    play({moveTo(100, 40), "LDblClick", moveTo(200, 80), "RDblClick"});
    EXPECT_EQ(target.events(), (Events{"ldown 100,40", "lup 100,40", "ldbl 100,40", "lup 100,40",
                                       "rdown 200,80", "rup 200,80", "rdbl 200,80", "rup 200,80"}));
}

TEST_F(PointerOutput, HeldButtonDragsToTheNewPoint) {
    play({moveTo(10, 10), "LDown", moveTo(150, 120), "LUp", "RDown", "RUp"});
    EXPECT_EQ(target.events(),
              (Events{"ldown 10,10", "lup 150,120", "rdown 150,120", "rup 150,120"}));
}

}  // namespace
}  // namespace keyreel::win32
