// Starting keyreel.exe again while it runs: a second copy without a file
// shows the running one; one with a file hands the file to it and ends.

#include "e2e_support.h"
#include "win32/wide_text.h"

namespace keyreel::e2e {
namespace {

// A second copy without a file finds the first in the notification area and
// shows it. A file is named relative to a second copy's folder; one of the
// same name lies in the running copy's folder.
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
