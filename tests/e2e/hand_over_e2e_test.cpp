// Starting keyreel.exe again while it runs: a second copy without a file
// shows the running one; one with a file hands the file to it and ends; a
// downloaded macro asks before it plays.

#include "e2e_support.h"
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
    std::vector<std::wstring> listLines() { return listItems(findChild(mainWindow(), L"ListBox")); }
    // The question before a downloaded file plays, once it has the focus.
    static HWND downloadQuestion() {
        const HWND box = waitForDialog(kAppTitle, 15000, L"came from the internet");
        if (box == nullptr || !waitFor([&] { return GetForegroundWindow() == box; }, 10000))
            return nullptr;
        return box;
    }
};

// A second copy without a file finds the first in the notification area and
// shows it. A file is named relative to a second copy's folder; one of the
// same name lies in the running copy's folder.
TEST_F(HandOverTest, ASecondCopyShowsTheFirstAndHandsItsFileOverToPlay) {
    TargetWindow target;
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
    EXPECT_EQ(listLines(),
              (std::vector<std::wstring>{L"SetFocus >KR Target", L"SendText >handed over"}));
    EXPECT_EQ(findDialog(kAppTitle, L"already running"), nullptr);
    EXPECT_TRUE(keyreel.running());
}

// Asked at start-up, No leaves it loaded and unplayed; handed over to the
// running copy, it plays once Yes came.
TEST_F(HandOverTest, ADownloadedMacroAsksFirstAndPlaysOnlyOnYes) {
    TargetWindow target;
    const std::wstring macro =
        writeMacro(L"downloaded.kyr", "SetFocus >KR Target\r\nSendText >ran\r\n");
    markDownloaded(macro);
    ASSERT_TRUE(keyreel.start(L"\"" + macro + L"\""));
    HWND question = downloadQuestion();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(findDialog(kAppTitle, L"downloaded.kyr"), question) << "names the file";
    const HWND no = findChild(question, L"Button", L"&No");
    EXPECT_EQ(GetWindowLongW(no, GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON) << "No is the default";
    ASSERT_TRUE(clickOn(no));
    ASSERT_TRUE(waitFor([&] { return !IsWindow(question); }, 10000));
    EXPECT_EQ(listLines(), (std::vector<std::wstring>{L"SetFocus >KR Target", L"SendText >ran"}));
    EXPECT_EQ(title(), kIdleTitle);
    EXPECT_EQ(target.text(), L"");

    KeyreelProcess second;
    ASSERT_TRUE(second.start(L"\"" + macro + L"\""));
    question = downloadQuestion();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(target.text(), L"") << "nothing plays before the answer";
    ASSERT_TRUE(clickOn(findChild(question, L"Button", L"&Yes")));
    EXPECT_TRUE(waitFor([&] { return target.text() == L"ran"; }, 15000))
        << win32::toUtf8(target.text());
}

}  // namespace
}  // namespace keyreel::e2e
