// Pointer moves and button events on a real window.

#include <gtest/gtest.h>

#include "core/macro/player.h"
#include "test_window.h"
#include "win32/desktop/win32_desktop.h"

namespace keyreel::win32 {
namespace {

TEST(PointerOutput, MovesAndButtonsActWhereThePointerIs) {
    Win32Desktop desktop;
    // The displays of the pointer's position hear of every move of a play.
    int movesTold = 0;
    desktop.setPointerMoveListener([&] { ++movesTold; });
    const TestWindow target("Keyreel pointer test", TestWindow::Content::Empty);
    // A MouseMove line to a point in the target's client area.
    const auto moveTo = [&](int x, int y) {
        POINT point{x, y};
        ClientToScreen(target.handle(), &point);
        return "MouseMove >" + std::to_string(point.x) + "," + std::to_string(point.y);
    };
    MacroList lines{moveTo(20, 30),  "LClick",    moveTo(50, 60),   "RClick",
                    moveTo(100, 40), "LDblClick", moveTo(200, 80),  "RDblClick",
                    moveTo(10, 10),  "LDown",     moveTo(150, 120), "LUp"};
    RunState state;
    state.macroLineCount = static_cast<std::int32_t>(lines.size());
    Player(lines, state, desktop).runMacro();
    probe::settle();
    EXPECT_EQ(target.events(),
              (std::vector<std::string>{"ldown 20,30", "lup 20,30", "rdown 50,60", "rup 50,60",
                                        "ldown 100,40", "lup 100,40", "ldbl 100,40", "lup 100,40",
                                        "rdown 200,80", "rup 200,80", "rdbl 200,80", "rup 200,80",
                                        "ldown 10,10", "lup 150,120"}));
    EXPECT_EQ(movesTold, 6);
}

}  // namespace
}  // namespace keyreel::win32
