// keyreel.exe driven as a user would: command line, settings, buttons, real
// key presses on the display, the tray icon, and real target programs.

#include "e2e_support.h"
#include "user_input.h"
#include "win32/wide_text.h"

namespace keyreel::e2e {
namespace {

using probe::clickButton;

std::string visibleTitles() {
    std::string titles = "windows:";
    for (const auto& title : probe::visibleTitles())
        titles += " [" + win32::toUtf8(title) + "]";
    return titles;
}
using probe::waitForMessageBox;

TEST_F(KeyreelTest, CountsDownBeforePlayingAndCancelLoadsWithoutPlaying) {
    TargetWindow target;
    setSetting("startup", "runLoaded", "1");
    setSetting("startup", "Run", "1");
    setSetting("startup", "delay", "2");
    const std::wstring macro =
        writeMacro(L"count.kyr", "SetFocus >KR Target\r\nSendText >played\r\n");
    ASSERT_TRUE(keyreel.start(macro));

    HWND countdown = nullptr;
    ASSERT_TRUE(waitFor(
        [&] { return (countdown = FindWindowW(L"KeyreelCountdownWindow", nullptr)) != nullptr; },
        10000));
    ASSERT_TRUE(waitFor(
        [&] { return probe::findChild(countdown, L"Button", L"Cancel") != nullptr; }, 5000));
    for (const wchar_t* text : {L"A macro will be starting in ", L"seconds.",
                                L"Press cancel to stop this operation", L"Cancel"}) {
        EXPECT_TRUE(probe::findChild(countdown, L"Static", text) != nullptr ||
                    probe::findChild(countdown, L"Button", text) != nullptr)
            << win32::toUtf8(text);
    }
    EXPECT_TRUE(probe::findChild(countdown, L"Static", L"2") != nullptr ||
                probe::findChild(countdown, L"Static", L"1") != nullptr);
    EXPECT_EQ(target.text(), L"") << "nothing plays during the count-down";
    EXPECT_TRUE(waitFor([&] { return target.text() == L"played"; }, 10000));
    EXPECT_EQ(FindWindowW(L"KeyreelCountdownWindow", nullptr), nullptr);
    keyreel.kill();

    // A play of this file would show its box before handling any message.
    setSetting("startup", "delay", "30");
    ASSERT_TRUE(keyreel.start(writeMacro(L"cancel.kyr", "MessageBox >played after all\r\n")));
    ASSERT_TRUE(waitFor(
        [&] {
            countdown = FindWindowW(L"KeyreelCountdownWindow", nullptr);
            return countdown != nullptr &&
                   probe::findChild(countdown, L"Button", L"Cancel") != nullptr;
        },
        10000));
    // Hide leaves the count-down and its Cancel, the one way to keep the
    // play from starting.
    const HWND window = mainWindow();
    SetWindowPos(window, nullptr, 320, 160, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_TRUE(clickOn(probe::findChild(window, L"Static", L"Command")));
    ASSERT_TRUE(waitForActive(window, 5000));
    ASSERT_TRUE(tapKeys(L"alt+d"));
    ASSERT_TRUE(waitFor([&] { return !IsWindowVisible(window); }, 5000));
    EXPECT_TRUE(IsWindowVisible(countdown));
    ASSERT_TRUE(clickButton(countdown, L"Cancel"));
    const HWND list = probe::findChild(window, L"ListBox");
    ASSERT_TRUE(waitFor([&] { return probe::listItems(list).size() == 1; }, 5000));
    // Once keyreel.exe has handled a message after the load, a play would
    // be showing its box.
    ASSERT_NE(SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr), 0);
    EXPECT_EQ(probe::findMessageBox(kAppTitle, L"played after all"), nullptr)
        << "cancelled: loaded, not played";
    EXPECT_EQ(title(), kIdleTitle);
}

TEST_F(KeyreelTest, HotKeysPlayStopAndDropFilePlaysThatOverlap) {
    TargetWindow target;
    setSetting("startup", "enableALTR", "1");
    setSetting("startup", "enableALTS", "1");
    setSetting("hotkey", "ALT", "1");
    setSetting("hotkey", "F1", "1");
    setSetting("hotkey", "F3", "1");
    const std::wstring waitThenOne =
        writeMacro(L"f1.kyr", "Wait >2\r\nSetFocus >KR Target\r\nSendText >1\r\n");
    const std::wstring three = writeMacro(L"f3.kyr", "SetFocus >KR Target\r\nSendText >3\r\n");
    setSetting("hKeyLoc", "F1", win32::toUtf8(waitThenOne).c_str());
    setSetting("hKeyLoc", "F3", win32::toUtf8(three).c_str());
    setSetting("hotkey", "F5", "1");
    setSetting("hKeyLoc", "F5", win32::toUtf8(folder + L"gone.kyr").c_str());
    const std::wstring list = writeMacro(L"list.kyr", "SetFocus >KR Target\r\nSendText >r\r\n");
    ASSERT_TRUE(keyreel.start(list));
    // Shown once the hot keys are registered.
    const HWND window = mainWindow();
    ASSERT_TRUE(waitFor([&] { return IsWindowVisible(window) != FALSE; }, 10000));

    target.activate();
    ASSERT_TRUE(tapKeys(L"ctrl+alt+r"));
    EXPECT_TRUE(waitFor([&] { return target.text() == L"r"; }, 5000)) << "CTRL+ALT+R";

    ASSERT_TRUE(tapKeys(L"alt+F1"));
    ASSERT_TRUE(tapKeys(L"alt+F3"));  // dropped: the F1 file still plays
    EXPECT_TRUE(waitFor([&] { return target.text() == L"r1"; }, 8000));
    // F3 came during the F1 file's wait; once that play is over, it was
    // handled and dropped.
    EXPECT_TRUE(waitForTitle(kIdleTitle, 5000));
    EXPECT_EQ(target.text(), L"r1");
    // Held the way a person holds it: Alt is let go only a while after F3.
    ASSERT_TRUE(probe::runUnixProgramToEnd(
        L"/bin/sh -c \"xdotool keydown alt+F3; sleep 0.2; xdotool keyup F3; sleep 0.6; "
        L"xdotool keyup alt\""));
    EXPECT_TRUE(waitFor([&] { return target.text() == L"r13"; }, 5000))
        << "ALT+F3: " << win32::toUtf8(target.text());

    ASSERT_TRUE(tapKeys(L"alt+F1"));
    EXPECT_TRUE(waitForTitle(kPlayingTitle, 3000));
    ASSERT_TRUE(tapKeys(L"ctrl+alt+s"));
    EXPECT_TRUE(waitForTitle(kIdleTitle, 5000)) << "the stop ends the wait at once";
    EXPECT_EQ(target.text(), L"r13") << "stopped during the wait: nothing more typed";

    // A hot key whose file is gone says so.
    ASSERT_TRUE(tapKeys(L"alt+F5"));
    const HWND missing = waitForMessageBox(
        kAppTitle, L"The macro file " + folder + L"gone.kyr could not be read.", 10000);
    ASSERT_NE(missing, nullptr) << visibleTitles();
    probe::answerMessageBox(missing, IDOK);
    EXPECT_EQ(target.text(), L"r13");
}

TEST_F(KeyreelTest, StartsInTheTrayAndTheIconRestoresTheWindow) {
    ASSERT_TRUE(keyreel.start(L""));
    const HWND window = mainWindow();
    ASSERT_NE(window, nullptr);
    const HWND icon = waitForTrayIcon(30000);
    ASSERT_NE(icon, nullptr);
    // The window leaves the task list and hides; the icon brings it back.
    EXPECT_TRUE(waitFor(
        [&] { return !IsWindowVisible(window) && GetWindow(window, GW_OWNER) != nullptr; }, 5000))
        << "hidden and out of the task list";

    ASSERT_TRUE(restoreFromTray(30000));
    EXPECT_TRUE(waitFor([&] { return IsWindowVisible(window) != FALSE; }, 5000));
    EXPECT_EQ(title(), kIdleTitle);
    EXPECT_NE(GetWindow(window, GW_OWNER), nullptr) << "restoring keeps it out of the task list";
}

}  // namespace
}  // namespace keyreel::e2e
