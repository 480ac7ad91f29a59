// Typed text and key events arriving in real windows.

#include <gtest/gtest.h>

#include "core/macro/player.h"
#include "test_window.h"
#include "win32/desktop/win32_desktop.h"

namespace keyreel::win32 {
namespace {

bool isDown(int virtualKey) {
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

class KeyboardOutput : public ::testing::Test {
  protected:
    void play(MacroList lines) {
        RunState state;
        state.macroLineCount = static_cast<std::int32_t>(lines.size());
        Player(lines, state, desktop).runMacro();
        probe::settle();
    }

    Win32Desktop desktop;
};

TEST_F(KeyboardOutput, TypedTextArrivesExactly) {
    TestWindow target("Keyreel typing test", TestWindow::Content::Edit);
    // Outside the layout first, so the ASCII after them shows nothing is left
    // pending; ASCII holds the capitals and the punctuation the layout gets
    // wrong.
    std::u32string text = U"é€Ω你𝄞";
    std::string expected = "é€Ω你𝄞";
    for (char32_t c = 0x20; c < 0x7F; ++c) {
        text += c;
        expected += static_cast<char>(c);
    }
    for (const char32_t c : text) {
        EXPECT_TRUE(desktop.typeCharacter(c)) << static_cast<unsigned>(c);
        desktop.typingPause();
    }
    probe::settle();
    EXPECT_EQ(target.text(), expected);
    EXPECT_FALSE(isDown(VK_SHIFT)) << "the Shift pressed for capitals is released";

    // Plus goes as the keypad key; typing C does not let go of the held Shift.
    play({"SendText >1+1", "Press_Shift", "SendText >ab1", "SendText >C", "SendText >d",
          "Release_Shift", "SendText >e"});
    EXPECT_EQ(target.text(), expected + "1+1AB!CDe");
    EXPECT_FALSE(isDown(VK_SHIFT));
}

TEST_F(KeyboardOutput, KeysArriveWithTheirVirtualKeysAndStayHeldAfterARun) {
    TestWindow target("Keyreel key test", TestWindow::Content::Empty);
    // The key state follows the input queue: on a busy machine, a moment later.
    play({"Press_CTRL", "Press_F5"});
    EXPECT_TRUE(probe::waitFor([] { return isDown(VK_CONTROL); })) << "held after the run";
    play({"Release_CTRL"});
    EXPECT_TRUE(probe::waitFor([] { return !isDown(VK_CONTROL); }));
    desktop.tapAlt();
    // Nothing pumped after the Alt tap: the desktop has handled its keys.
    EXPECT_EQ(target.events(),
              (std::vector<std::string>{"keydown 17", "keydown 116", "keyup 116", "keyup 17",
                                        "syskeydown 18", "syskeyup 18"}));
}

}  // namespace
}  // namespace keyreel::win32
