// keyreel.exe started with a macro file: played after a count-down, or handed to a running copy.

#include "e2e_support.h"

namespace keyreel::e2e {
namespace {

TEST_F(KeyreelTest, CountsDownBeforePlayingAndCancelLoadsWithoutPlaying) {
    TypingTarget target;
    ASSERT_TRUE(target.open());
    setSetting("startup", "runLoaded", "1");
    setSetting("startup", "Run", "1");
    setSetting("startup", "delay", "2");
    ASSERT_TRUE(
        keyreel.start(writeMacro(L"count.kyr", "SetFocus >KR Target\r\nSendText >played\r\n")));
    const auto countdownWithCancel = [] {
        const HWND countdown = FindWindowW(L"KeyreelCountdownWindow", nullptr);
        return countdown && findChild(countdown, L"Button", L"Cancel") ? countdown : nullptr;
    };
    HWND countdown = waitForWindowThat(countdownWithCancel, 10000);
    ASSERT_NE(countdown, nullptr);
    EXPECT_EQ(target.text(), L"") << "nothing plays during the count-down";
    EXPECT_TRUE(waitFor([&] { return target.text() == L"played"; }, 10000));
    EXPECT_EQ(FindWindowW(L"KeyreelCountdownWindow", nullptr), nullptr);
    keyreel.kill();

    // A play of this file would show its box before handling any message.
    setSetting("startup", "delay", "30");
    ASSERT_TRUE(keyreel.start(writeMacro(L"cancel.kyr", "MessageBox >played after all\r\n")));
    countdown = waitForWindowThat(countdownWithCancel, 10000);
    ASSERT_NE(countdown, nullptr);
    // Hide leaves the count-down and its Cancel, the one way to keep the play from starting.
    main = mainWindow();
    SetWindowPos(main, nullptr, 320, 160, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    hide();
    EXPECT_TRUE(IsWindowVisible(countdown));
    ASSERT_TRUE(clickButton(countdown, L"Cancel"));
    ASSERT_TRUE(waitFor([&] { return listItems(findChild(main, L"ListBox")).size() == 1; }, 5000));
    // Once keyreel.exe handled a message after the load, a play would show.
    ASSERT_NE(SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr), 0);
    EXPECT_EQ(findDialog(kAppTitle, L"played after all"), nullptr) << "loaded, not played";
    EXPECT_EQ(title(), kIdleTitle);
}

// The file is named relative to the second copy's folder; one of that name lies in the first's.
TEST_F(KeyreelTest, ASecondCopyShowsTheFirstAndHandsItsFileOverToPlay) {
    setSetting("startup", "runLoaded", "1");
    setSetting("startup", "Run", "0");
    TypingTarget target;
    ASSERT_TRUE(target.open());
    writeMacro(L"handed.kyr", "SetFocus >KR Target\r\nSendText >wrong file\r\n");
    ASSERT_TRUE(keyreel.start(L"", folder));
    ASSERT_NE(waitForTrayIcon(30000), nullptr);
    const HWND window = mainWindow();
    ASSERT_FALSE(IsWindowVisible(window));
    KeyreelProcess second;
    ASSERT_TRUE(second.start(L""));
    const HWND box = waitForDialog(kAppTitle, 10000, L"The program is already running!");
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(IsWindowVisible(window)) << "shown before the message was answered";
    answerMessageBox(box, IDOK);
    EXPECT_TRUE(second.waitForExit(10000));
    EXPECT_TRUE(
        waitFor([&] { return IsWindowVisible(window) && GetForegroundWindow() == window; }, 10000));

    const std::wstring elsewhere = folder + L"elsewhere\\";
    CreateDirectoryW(elsewhere.c_str(), nullptr);
    writeMacro(L"elsewhere\\handed.kyr", "SetFocus >KR Target\r\nSendText >handed over\r\n");
    ASSERT_TRUE(second.start(L"handed.kyr", elsewhere));
    EXPECT_TRUE(second.waitForExit(15000));
    EXPECT_TRUE(waitFor([&] { return target.text() == L"handed over"; }, 15000))
        << win32::toUtf8(target.text());
    EXPECT_EQ(listItems(findChild(window, L"ListBox")),
              (std::vector<std::wstring>{L"SetFocus >KR Target", L"SendText >handed over"}));
    EXPECT_EQ(findDialog(kAppTitle, L"already running"), nullptr);
}

}  // namespace
}  // namespace keyreel::e2e
