// Hot keys pressed on the display with notepad in front: it sees an Alt hot key's Alt alone and
// enters its menu bar, where the play's keys would go, unless keyreel.exe prevents or undoes it.

#include "e2e_support.h"

namespace keyreel::e2e {
namespace {

TEST_F(KeyreelTest, HotKeysPlayDropAndStopWhileNotepadStaysOutOfItsMenu) {
    const std::wstring f3 = L"via hot key";
    setSetting("startup", "enableALTR", "1");
    setSetting("startup", "enableALTS", "1");
    setSetting("hotkey", "F1", "1");
    setSetting("hotkey", "F3", "1");
    setSetting("hKeyLoc", "F1",
               win32::toUtf8(writeMacro(L"f1.kyr", "Wait >2\r\nSendText >one\r\n")).c_str());
    setSetting("hKeyLoc", "F3",
               win32::toUtf8(writeMacro(L"f3.kyr", "SendText >" + win32::toUtf8(f3))).c_str());
    ASSERT_TRUE(keyreel.start(L""));
    // Not a registration from here, which would make keyreel.exe's own fail when the two meet.
    ASSERT_NE(waitForTrayIcon(30000), nullptr) << "keyreel.exe has not finished starting";
    TypingTarget notepad;
    ASSERT_TRUE(notepad.open(true));
    std::wstring typed;
    const auto playsInto = [&](const std::wstring& more) {
        typed += more;
        return waitFor([&] { return notepad.text() == typed; }, 10000) &&
               waitForTitle(kIdleTitle, 5000);
    };
    const auto state = [&] {
        return "notepad has \"" + win32::toUtf8(notepad.text()) + "\"" +
               (notepad.inMenuMode() ? ", in its menu" : "");
    };

    // Alt let go at once, just before or just after keyreel.exe sees the key.
    ASSERT_TRUE(runUnixProgramToEnd(L"xdotool key alt+F3"));
    EXPECT_TRUE(playsInto(f3)) << state();
    // Held up, as on a busy machine, keyreel.exe sees the hot key after notepad entered its menu.
    ASSERT_TRUE(keyreel.suspendMainThread());
    const bool pressed = runUnixProgramToEnd(L"xdotool key alt+F3");
    const bool inMenu = waitFor([&] { return notepad.inMenuMode(); }, 5000);
    ASSERT_TRUE(keyreel.resumeMainThread());
    ASSERT_TRUE(pressed && inMenu);
    EXPECT_TRUE(playsInto(f3)) << state();
    // Held a while, both let go together; xdotool releases Alt first.
    ASSERT_TRUE(runUnixProgramToEnd(L"xdotool keydown alt+F3; sleep 0.4; xdotool keyup alt+F3"));
    EXPECT_TRUE(playsInto(f3)) << state();

    // F3 is dropped while the F1 file waits; its lone Alt must not leave notepad in its menu.
    ASSERT_TRUE(runUnixProgramToEnd(L"xdotool keydown alt; xdotool key F1; xdotool keyup alt"));
    ASSERT_TRUE(waitForTitle(kPlayingTitle, 5000));
    ASSERT_TRUE(runUnixProgramToEnd(L"xdotool key alt+F3"));
    EXPECT_TRUE(playsInto(L"one")) << state();
    // The list is now the F1 file: played to its end, then stopped in its wait, before it typed.
    ASSERT_TRUE(runUnixProgramToEnd(L"xdotool key ctrl+alt+r"));
    EXPECT_TRUE(playsInto(L"one")) << state();
    ASSERT_TRUE(runUnixProgramToEnd(L"xdotool key ctrl+alt+r"));
    ASSERT_TRUE(waitForTitle(kPlayingTitle, 5000));
    ASSERT_TRUE(runUnixProgramToEnd(L"xdotool key ctrl+alt+s"));
    ASSERT_TRUE(waitForTitle(kIdleTitle, 5000));
    ASSERT_TRUE(runUnixProgramToEnd(L"xdotool key alt+F3"));
    EXPECT_TRUE(playsInto(f3)) << state();
}

}  // namespace
}  // namespace keyreel::e2e
