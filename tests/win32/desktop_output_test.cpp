// Text, keys and the pointer from a play arriving in real windows.

#include <gtest/gtest.h>

#include <memory>
#include <numeric>

#include "core/macro/player.h"
#include "test_window.h"
#include "win32/desktop/win32_desktop.h"

namespace keyreel::win32 {
namespace {

bool isDown(int virtualKey) {
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

class DesktopOutput : public ::testing::Test {
  protected:
    void play(MacroList lines) {
        RunState state;
        state.macroLineCount = static_cast<std::int32_t>(lines.size());
        Player(lines, state, desktop).runMacro();
        probe::settle();
    }

    Win32Desktop desktop;
};

TEST_F(DesktopOutput, TypedTextAndKeysArriveExactlyAndHeldKeysStayHeld) {
    auto target = std::make_unique<TestWindow>("Keyreel typing test", TestWindow::Content::Edit);
    // Outside the layout first: the ASCII after them shows nothing is left pending.
    std::string ascii(0x7F - 0x20, ' ');
    std::iota(ascii.begin(), ascii.end(), ' ');
    const std::string expected = "é€Ω你𝄞" + ascii;
    for (const char32_t c : U"é€Ω你𝄞" + std::u32string(ascii.begin(), ascii.end())) {
        EXPECT_TRUE(desktop.typeCharacter(c)) << static_cast<unsigned>(c);
        desktop.typingPause();
    }
    probe::settle();
    EXPECT_EQ(target->text(), expected);
    EXPECT_FALSE(isDown(VK_SHIFT)) << "the Shift pressed for capitals is released";

    // Plus goes as the keypad key; typing C does not let go of the held Shift.
    play({"SendText >1+1", "Press_Shift", "SendText >ab1", "SendText >C", "SendText >d",
          "Release_Shift", "SendText >e"});
    EXPECT_EQ(target->text(), expected + "1+1AB!CDe");
    EXPECT_FALSE(isDown(VK_SHIFT));

    target = std::make_unique<TestWindow>("Keyreel key test", TestWindow::Content::Empty);
    // The key state follows the input queue: on a busy machine, a moment later.
    play({"Press_CTRL", "Press_F5"});
    EXPECT_TRUE(probe::waitFor([] { return isDown(VK_CONTROL); })) << "held after the run";
    play({"Release_CTRL"});
    EXPECT_TRUE(probe::waitFor([] { return !isDown(VK_CONTROL); }));
    desktop.tapAlt();
    // Nothing pumped after the Alt tap: the desktop has handled its keys.
    EXPECT_EQ(target->events(),
              (std::vector<std::string>{"keydown 17", "keydown 116", "keyup 116", "keyup 17",
                                        "syskeydown 18", "syskeyup 18"}));
}

TEST_F(DesktopOutput, MovesAndButtonsActWhereThePointerIs) {
    int movesTold = 0;
    desktop.setPointerMoveListener([&] { ++movesTold; });
    const TestWindow target("Keyreel pointer test", TestWindow::Content::Empty);
    const auto moveTo = [&](int x, int y) {
        POINT point{x, y};
        ClientToScreen(target.handle(), &point);
        return "MouseMove >" + std::to_string(point.x) + "," + std::to_string(point.y);
    };
    play({moveTo(20, 30), "LClick", moveTo(50, 60), "RClick", moveTo(100, 40), "LDblClick",
          moveTo(200, 80), "RDblClick", moveTo(10, 10), "LDown", moveTo(150, 120), "LUp"});
    EXPECT_EQ(target.events(),
              (std::vector<std::string>{"ldown 20,30", "lup 20,30", "rdown 50,60", "rup 50,60",
                                        "ldown 100,40", "lup 100,40", "ldbl 100,40", "lup 100,40",
                                        "rdown 200,80", "rup 200,80", "rdbl 200,80", "rup 200,80",
                                        "ldown 10,10", "lup 150,120"}));
    EXPECT_EQ(movesTold, 6);
}

}  // namespace
}  // namespace keyreel::win32
