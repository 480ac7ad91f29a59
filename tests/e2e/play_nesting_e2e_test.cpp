// A storm of play requests during a play, as a user makes it: Run clicked
// again and again, and CTRL+ALT+R held down (Wine repeats it) and pressed
// many times. Every play types one character into a target and then waits
// for a window that the test opens only once the storm is over, so no play
// ends before then and the plays nest as deep as the storm takes them. The
// program must come through it and end every play; the exact depth is
// proven by the Windows nesting test, where nothing else moves the focus.
// Here a play that nests inside another's SetFocus types again once the
// inner ones end, and the plays take the focus from the Run button.

#include <iostream>

#include "e2e_support.h"
#include "win32/wide_text.h"

namespace keyreel::e2e {
namespace {

class PlayStormTest : public KeyreelTest {
  protected:
    void SetUp() override {
        KeyreelTest::SetUp();
        setSetting("startup", "enableALTR", "1");
        const std::wstring list = writeMacro(
            L"storm.kyr", "SetFocus >KR Target\r\nSendText >r\r\nWaitForWindow >KR Release\r\n");
        ASSERT_TRUE(keyreel.start(list));
        window = mainWindow();
        ASSERT_TRUE(waitFor([&] { return IsWindowVisible(window) != FALSE; }, 10000));
        // Every play brings the target to the front: away from the Run
        // button, so that it does not catch the clicks meant for it.
        RECT main{};
        GetWindowRect(window, &main);
        SetWindowPos(FindWindowW(L"KeyreelE2ETarget", L"KR Target"), nullptr, main.right + 20,
                     main.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // Opens the window the plays wait for, and gives what they typed once
    // they have all ended.
    std::wstring releasePlays() {
        const TargetWindow release(L"KR Release");
        // Presses Wine has not yet handed over each start a play of their
        // own, a fraction of a second each on a busy machine.
        EXPECT_TRUE(waitForTitle(kIdleTitle, 90000)) << "the plays end";
        return target.text();
    }

    // Wine may still hand keyreel.exe presses of the storm after the window
    // has opened, each a play of its own that ends at once: the count tells
    // that plays nested, not how deep.
    static void expectNestedPlays(const std::wstring& typed) {
        EXPECT_GE(typed.size(), 2u) << "plays nested";
        EXPECT_EQ(typed.find_first_not_of(L'r'), std::wstring::npos) << win32::toUtf8(typed);
        std::cout << "[ nested   ] " << typed.size() << " plays typed\n";
    }

    void expectAlive() {
        EXPECT_TRUE(keyreel.running());
        EXPECT_NE(SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr), 0)
            << "keyreel.exe answers";
    }

    TargetWindow target;
    HWND window = nullptr;
};

TEST_F(PlayStormTest, RunClickedHundredsOfTimesDuringAPlayIsSurvivedAndEveryPlayEnds) {
    const HWND run = probe::findChild(window, L"Button", L"Run");
    ASSERT_TRUE(clickRepeatedly(run, 300));
    expectAlive();
    EXPECT_EQ(title(), kPlayingTitle) << "the plays wait for their window";
    expectNestedPlays(releasePlays());
    expectAlive();
}

TEST_F(PlayStormTest, CtrlAltRHeldAndPressedAgainAndAgainIsSurvivedAndEveryPlayEnds) {
    ASSERT_TRUE(
        runUnixProgramToEnd(L"xdotool keydown ctrl+alt+r; sleep 2; xdotool keyup ctrl+alt+r; "
                            L"xdotool key --repeat 100 --delay 5 ctrl+alt+r"));
    expectAlive();
    EXPECT_EQ(title(), kPlayingTitle) << "the plays wait for their window";
    expectNestedPlays(releasePlays());
    expectAlive();
}

}  // namespace
}  // namespace keyreel::e2e
