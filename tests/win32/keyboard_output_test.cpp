// Typed text and key events arriving in real windows.

#include <gtest/gtest.h>

#include "player.h"
#include "test_window.h"
#include "win32_desktop.h"

namespace keyreel::win32 {
namespace {

class KeyboardOutput : public ::testing::Test {
  protected:
    // Types through the desktop as SendText does, one tick after each.
    void type(const std::u32string& text) {
        for (const char32_t c : text) {
            EXPECT_TRUE(desktop.typeCharacter(c)) << static_cast<unsigned>(c);
            desktop.typingPause();
        }
        settle();
    }
    void play(MacroList lines) {
        RunState state;
        state.macroLineCount = static_cast<std::int32_t>(lines.size());
        Player(lines, state, desktop).runMacro();
        settle();
    }
    bool shiftDown() const { return (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0; }

    Win32Desktop desktop;
};

TEST_F(KeyboardOutput, TypesEveryPrintableAsciiCharacterAsItself) {
    TestWindow target("Keyreel typing test", TestWindow::Content::Edit);
    std::u32string all;
    std::string expected;
    for (char32_t c = 0x20; c < 0x7F; ++c) {
        all += c;
        expected += static_cast<char>(c);
    }
    type(all);
    EXPECT_EQ(target.text(), expected);
    EXPECT_FALSE(shiftDown()) << "the Shift pressed for capitals is released";
}

TEST_F(KeyboardOutput, TypesCharactersTheLayoutHasNoKeyFor) {
    TestWindow target("Keyreel unicode test", TestWindow::Content::Edit);
    type(U"é€Ω你𝄞x");
    EXPECT_EQ(target.text(), "é€Ω你𝄞x");
}

TEST_F(KeyboardOutput, SendTextSkipsSyntaxCharactersAndTypesPlusOnTheKeypad) {
    TestWindow target("Keyreel send text test", TestWindow::Content::Edit);
    play({"SendText >a+b (100%) ~^{x}[y] <z", "Press_Tab", "SendText >1+1"});
    EXPECT_EQ(target.text(), "a+b 100 x}[y] <z\t1+1");
}

TEST_F(KeyboardOutput, HeldShiftTypesCapitalsAndStaysHeld) {
    TestWindow target("Keyreel shift test", TestWindow::Content::Edit);
    play({"Press_Shift", "SendText >ab1", "SendText >C", "SendText >d", "Release_Shift",
          "SendText >e"});
    EXPECT_EQ(target.text(), "AB!CDe") << "typing C does not let go of the held Shift";
    EXPECT_FALSE(shiftDown());

    play({"Press_Shift", "SendText >x"});
    EXPECT_TRUE(shiftDown()) << "a run that ends with Shift held leaves it held";
    play({"Release_Shift"});
    EXPECT_FALSE(shiftDown());
}

TEST_F(KeyboardOutput, KeyEventsArriveWithTheirVirtualKeys) {
    TestWindow target("Keyreel key test", TestWindow::Content::Empty);
    play({"Press_CTRL", "Press_F5"});
    EXPECT_TRUE((GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0) << "held across the end of the run";
    play({"Release_CTRL", "ALT_Down", "ALT_Up"});
    EXPECT_EQ(target.events(),
              (std::vector<std::string>{"keydown 0x11", "keydown 0x74", "keyup 0x74", "keyup 0x11",
                                        "syskeydown 0x12", "syskeyup 0x12"}));
    EXPECT_FALSE((GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0);
}

TEST_F(KeyboardOutput, AltTapReturnsOnceTheWindowHandledIt) {
    TestWindow target("Keyreel alt tap test", TestWindow::Content::Empty);
    desktop.tapAlt();
    // Nothing pumped here: the desktop has handled the keys already.
    EXPECT_EQ(target.events(), (std::vector<std::string>{"syskeydown 0x12", "syskeyup 0x12"}));
}

}  // namespace
}  // namespace keyreel::win32
