// Alt hot keys with a program in front that has a menu bar. The system
// swallows the hot key's own key, so the program sees Alt go down and up
// alone and enters its menu bar, unless keyreel.exe prevents or undoes it;
// whatever is typed next would go to the menu.

#include "e2e_support.h"
#include "win32/wide_text.h"

namespace keyreel::e2e {
namespace {

constexpr const char* kText = "via hot key";

class AltHotKeyTest : public KeyreelTest {
  protected:
    // keyreel.exe with F3 under ALT, the F-key modifier it has out of the
    // box, playing a file that types kText; notepad in front.
    void startWithNotepad() {
        setSetting("hotkey", "F3", "1");
        setSetting("hKeyLoc", "F3",
                   win32::toUtf8(writeMacro(L"f3.kyr", std::string("SendText >") + kText)).c_str());
        ASSERT_TRUE(keyreel.start(L""));
        // Checking whether the hot key is taken by registering it here would
        // make keyreel.exe's own registration fail when the two meet.
        ASSERT_NE(waitForTrayIcon(30000), nullptr)
            << "keyreel.exe has not finished starting; it "
            << (keyreel.running() ? "still runs" : "has ended")
            << (mainWindow(0) != nullptr ? " and has its window" : " without a window");
        ASSERT_TRUE(notepad.open());
    }

    bool waitForNotepadText(const std::wstring& wanted) {
        return waitFor([&] { return notepad.text() == wanted; }, 10000);
    }

    std::string notepadState() {
        return "notepad has \"" + win32::toUtf8(notepad.text()) + "\"" +
               (notepad.inMenuMode() ? ", in its menu" : "");
    }

    Notepad notepad;
};

TEST_F(AltHotKeyTest, AQuickAltChordPlaysItsWholeTextIntoNotepad) {
    startWithNotepad();
    // Alt is let go at once, just before or just after keyreel.exe sees the
    // hot key.
    ASSERT_TRUE(runUnixProgramToEnd(L"xdotool key alt+F3"));
    EXPECT_TRUE(waitForNotepadText(win32::toWide(kText))) << notepadState();
}

TEST_F(AltHotKeyTest, AQuickAltChordWhileKeyreelIsBusyPlaysItsWholeTextIntoNotepad) {
    startWithNotepad();
    // Held up, as on a busy machine, keyreel.exe sees the hot key only after
    // notepad has entered its menu bar.
    ASSERT_TRUE(keyreel.suspendMainThread());
    const bool pressed = runUnixProgramToEnd(L"xdotool key alt+F3");
    const bool inMenu = waitFor([&] { return notepad.inMenuMode(); }, 5000);
    ASSERT_TRUE(keyreel.resumeMainThread());
    ASSERT_TRUE(pressed);
    ASSERT_TRUE(inMenu);
    EXPECT_TRUE(waitForNotepadText(win32::toWide(kText))) << notepadState();
}

TEST_F(AltHotKeyTest, AnAltChordHeldDownPlaysItsWholeTextIntoNotepad) {
    startWithNotepad();
    // Both let go together after a while; xdotool releases Alt first. (With
    // F3 let go before Alt, Wine's notepad takes the F3 release for a key
    // between and stays out of its menu by itself.)
    ASSERT_TRUE(runUnixProgramToEnd(L"xdotool keydown alt+F3; sleep 0.4; xdotool keyup alt+F3"));
    EXPECT_TRUE(waitForNotepadText(win32::toWide(kText))) << notepadState();
}

TEST_F(AltHotKeyTest, DroppedAndCtrlAltHotKeysLeaveNotepadOutOfItsMenu) {
    setSetting("startup", "enableALTR", "1");
    setSetting("startup", "enableALTS", "1");
    setSetting("hotkey", "F1", "1");
    setSetting("hKeyLoc", "F1",
               win32::toUtf8(writeMacro(L"f1.kyr", "Wait >2\r\nSendText >one\r\n")).c_str());
    startWithNotepad();

    // F1 let go before Alt: on its own this chord leaves notepad alone.
    ASSERT_TRUE(runUnixProgramToEnd(L"xdotool keydown alt; xdotool key F1; xdotool keyup alt"));
    ASSERT_TRUE(waitForTitle(kPlayingTitle, 5000));
    // Dropped while the F1 file waits; its lone Alt must not leave notepad in
    // the menu bar, where the F1 file's text would go.
    ASSERT_TRUE(runUnixProgramToEnd(L"xdotool key alt+F3"));
    EXPECT_TRUE(waitForNotepadText(L"one")) << notepadState();
    ASSERT_TRUE(waitForTitle(kIdleTitle, 5000));

    // The list is now the F1 file: played once to its end, then stopped
    // during its wait.
    ASSERT_TRUE(runUnixProgramToEnd(L"xdotool key ctrl+alt+r"));
    EXPECT_TRUE(waitForNotepadText(L"oneone")) << notepadState();
    ASSERT_TRUE(waitForTitle(kIdleTitle, 5000));
    ASSERT_TRUE(runUnixProgramToEnd(L"xdotool key ctrl+alt+r"));
    ASSERT_TRUE(waitForTitle(kPlayingTitle, 5000));
    ASSERT_TRUE(runUnixProgramToEnd(L"xdotool key ctrl+alt+s"));
    ASSERT_TRUE(waitForTitle(kIdleTitle, 5000));
    ASSERT_TRUE(runUnixProgramToEnd(L"xdotool key alt+F3"));
    EXPECT_TRUE(waitForNotepadText(L"oneone" + win32::toWide(kText))) << notepadState();
}

}  // namespace
}  // namespace keyreel::e2e
