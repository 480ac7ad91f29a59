// Starting keyreel.exe again while it runs: a second copy without a file
// shows the running one; one with a file hands the file to it and ends; a
// downloaded macro asks before it plays; a file that is not read is reported.

#include <fstream>

#include "e2e_support.h"
#include "user_input.h"
#include "win32/wide_text.h"

namespace keyreel::e2e {
namespace {

class HandOverTest : public KeyreelTest {
  protected:
    void SetUp() override {
        KeyreelTest::SetUp();
        setSetting("startup", "runLoaded", "1");
        setSetting("startup", "Run", "0");
    }
    std::vector<std::wstring> listLines() {
        return probe::listItems(probe::findChild(mainWindow(), L"ListBox"));
    }
    // The question before a downloaded file plays, once it has the focus.
    static HWND downloadQuestion() {
        const HWND box = probe::waitForMessageBox(kAppTitle, L"came from the internet", 15000);
        if (box == nullptr || !waitFor([&] { return GetForegroundWindow() == box; }, 10000))
            return nullptr;
        return box;
    }
};

// A second copy without a file finds the first in the notification area.
TEST_F(HandOverTest, ASecondCopyWithoutAFileSaysSoAndShowsTheFirst) {
    ASSERT_TRUE(keyreel.start(L""));
    ASSERT_NE(waitForTrayIcon(30000), nullptr);
    const HWND window = mainWindow();
    ASSERT_FALSE(IsWindowVisible(window));
    KeyreelProcess second;
    ASSERT_TRUE(second.start(L""));
    const HWND box = probe::waitForMessageBox(kAppTitle, L"The program is already running!", 10000);
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(IsWindowVisible(window)) << "shown before the message was answered";
    probe::answerMessageBox(box, IDOK);
    EXPECT_TRUE(second.waitForExit(10000));
    EXPECT_TRUE(
        waitFor([&] { return IsWindowVisible(window) && GetForegroundWindow() == window; }, 10000));
    EXPECT_TRUE(keyreel.running());
}

// The file is named relative to the second copy's folder; one of the same
// name lies in the running copy's folder.
TEST_F(HandOverTest, AFileOpenedWhileInTheTrayPlaysInTheRunningCopy) {
    TargetWindow target;
    writeMacro(L"handed.kyr", "SetFocus >KR Target\r\nSendText >wrong file\r\n");
    ASSERT_TRUE(keyreel.start(L"", folder));
    ASSERT_NE(waitForTrayIcon(30000), nullptr);
    ASSERT_FALSE(IsWindowVisible(mainWindow()));

    const std::wstring elsewhere = folder + L"elsewhere\\";
    CreateDirectoryW(elsewhere.c_str(), nullptr);
    writeMacro(L"elsewhere\\handed.kyr", "SetFocus >KR Target\r\nSendText >handed over\r\n");
    KeyreelProcess second;
    ASSERT_TRUE(second.start(L"handed.kyr", elsewhere));
    EXPECT_TRUE(second.waitForExit(15000));
    EXPECT_TRUE(waitFor([&] { return target.text() == L"handed over"; }, 15000))
        << win32::toUtf8(target.text());
    EXPECT_TRUE(IsWindowVisible(mainWindow()));
    EXPECT_EQ(listLines(),
              (std::vector<std::wstring>{L"SetFocus >KR Target", L"SendText >handed over"}));
    EXPECT_EQ(probe::findMessageBox(kAppTitle, L"already running"), nullptr);
    EXPECT_TRUE(keyreel.running());
}

TEST_F(HandOverTest, ADownloadedMacroAsksAndNoLeavesItLoadedAndUnplayed) {
    TargetWindow target;
    const std::wstring macro =
        writeMacro(L"downloaded.kyr", "SetFocus >KR Target\r\nSendText >ran\r\n");
    markDownloaded(macro);
    ASSERT_TRUE(keyreel.start(L"\"" + macro + L"\""));
    const HWND question = downloadQuestion();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(probe::findMessageBox(kAppTitle, L"downloaded.kyr"), question) << "names the file";
    const HWND no = probe::findChild(question, L"Button", L"&No");
    EXPECT_EQ(GetWindowLongW(no, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON) << "No is the default";
    ASSERT_TRUE(clickOn(no));
    ASSERT_TRUE(waitFor([&] { return !IsWindow(question); }, 10000));
    EXPECT_EQ(listLines(), (std::vector<std::wstring>{L"SetFocus >KR Target", L"SendText >ran"}));
    EXPECT_EQ(title(), kIdleTitle);
    EXPECT_EQ(target.text(), L"");
}

TEST_F(HandOverTest, ADownloadedMacroHandedOverPlaysOnYes) {
    TargetWindow target;
    ASSERT_TRUE(keyreel.start(L""));
    ASSERT_NE(waitForTrayIcon(30000), nullptr);
    const std::wstring macro =
        writeMacro(L"fetched.kyr", "SetFocus >KR Target\r\nSendText >yes\r\n");
    markDownloaded(macro);
    KeyreelProcess second;
    ASSERT_TRUE(second.start(L"\"" + macro + L"\""));
    const HWND question = downloadQuestion();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(target.text(), L"") << "nothing plays before the answer";
    ASSERT_TRUE(clickOn(probe::findChild(question, L"Button", L"&Yes")));
    EXPECT_TRUE(waitFor([&] { return target.text() == L"yes"; }, 15000))
        << win32::toUtf8(target.text());
}

}  // namespace
}  // namespace keyreel::e2e
