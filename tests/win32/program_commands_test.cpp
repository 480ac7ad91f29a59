// Programs, documents and message boxes.

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>

#include "box_answerer.h"
#include "player.h"
#include "test_window.h"
#include "wide_text.h"
#include "win32_desktop.h"

namespace keyreel::win32 {
namespace {

class ProgramCommands : public ::testing::Test {
  protected:
    // The first title holding `part`, polled as WaitForWindow does; empty
    // when none came within ten seconds.
    std::string waitForTitle(const std::string& part) {
        for (int tick = 0; tick < 1000; ++tick) {
            for (const std::string& title : desktop.windowTitles()) {
                if (title.find(part) != std::string::npos)
                    return title;
            }
            desktop.pauseBeforeNextPoll();
        }
        return {};
    }
    bool closeAndWait(const std::string& title) {
        if (!desktop.closeWindow(title))
            return false;
        return pumpUntil([&] { return FindWindowW(nullptr, toWide(title).c_str()) == nullptr; });
    }
    RunState play(MacroList lines) {
        RunState state;
        state.macroLineCount = static_cast<std::int32_t>(lines.size());
        Player(lines, state, desktop).runMacro();
        return state;
    }

    Win32Desktop desktop;
};

TEST_F(ProgramCommands, StartsAProgramWithoutWaitingForIt) {
    EXPECT_EQ(desktop.startProgram("notepad.exe"), StartResult::Started);
    const std::string title = waitForTitle("Notepad");
    ASSERT_NE(title, "");
    EXPECT_TRUE(closeAndWait(title));
}

TEST_F(ProgramCommands, TellsAnInvalidCommandLineFromEveryOtherFailure) {
    EXPECT_EQ(desktop.startProgram(""), StartResult::InvalidCommandLine);
    EXPECT_EQ(desktop.startProgram("\"\""), StartResult::InvalidCommandLine);
    EXPECT_EQ(desktop.startProgram("no_such_program_of_keyreel.exe"), StartResult::Failed);
    EXPECT_EQ(desktop.startProgram("C:\\no such folder\\program.exe /x"), StartResult::Failed);
    EXPECT_EQ(desktop.startProgram("C:\\windows\\win.ini"), StartResult::Failed)
        << "a document is no program";
}

TEST_F(ProgramCommands, RunProgramReportsAProgramThatIsNotThere) {
    const BoxAnswerer user(kAppTitle, IDOK);
    play({"RunProgram >no_such_program_of_keyreel.exe", "RunProgram >\"\""});
    const auto boxes = user.seen();
    ASSERT_EQ(boxes.size(), 1u) << "an invalid command line shows nothing";
    EXPECT_EQ(boxes[0].text, "File not found!\rError 53");
}

TEST_F(ProgramCommands, ShellOpensDocumentsAndIgnoresWhatTheShellAnswers) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    // Wine's fresh prefix opens .ini files with notepad; .txt has no program.
    const std::filesystem::path document = folder / "keyreel shell test.ini";
    std::ofstream(document) << "[opened by the shell]\r\n";
    EXPECT_TRUE(desktop.shellOpen(toUtf8(document.wstring())));
    const std::string title = waitForTitle("keyreel shell test");
    ASSERT_NE(title, "");
    EXPECT_TRUE(closeAndWait(title));
    std::filesystem::remove(document);

    const std::filesystem::path unknownType = folder / "keyreel shell test.unknowntype";
    std::ofstream(unknownType) << "no program opens this\r\n";
    const BoxAnswerer user("Keyreel Error", IDOK);
    EXPECT_TRUE(desktop.shellOpen(toUtf8(unknownType.wstring())));
    EXPECT_TRUE(desktop.shellOpen("C:\\no such folder\\missing.txt"));
    play({"ExecuteFile >C:\\no such folder\\missing.txt"});
    EXPECT_TRUE(user.seen().empty());
    std::filesystem::remove(unknownType);
}

TEST_F(ProgramCommands, MessageBoxesAreAnsweredAndHandleMessagesMeanwhile) {
    TestWindow owner("Keyreel message owner", TestWindow::Content::Empty);
    desktop.setMessageOwner(owner.handle());
    std::atomic<bool> handled{false};
    owner.onApp = [&] { handled = true; };
    const BoxAnswerer user(kAppTitle, IDOK, [&](HWND) {
        // Answers only once the box's loop has handled a posted message.
        PostMessageW(owner.handle(), WM_APP, 1, 0);
        for (int i = 0; i < 1000 && !handled; ++i)
            Sleep(10);
    });
    EXPECT_EQ(desktop.showMessage({"Typed text: é€", kAppTitle}), MessageAnswer::Ok);
    EXPECT_EQ(owner.events(), (std::vector<std::string>{"app 1"}));
    const auto boxes = user.seen();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Typed text: é€");
    EXPECT_EQ(boxes[0].owner, owner.handle());
    EXPECT_TRUE(boxes[0].foreground);
}

TEST_F(ProgramCommands, QuestionsComeToTheFrontWhileTheOwnerIsHidden) {
    TestWindow owner("Keyreel hidden owner", TestWindow::Content::Empty, false);
    TestWindow other("Keyreel other program", TestWindow::Content::Empty);
    desktop.setMessageOwner(owner.handle());
    {
        const BoxAnswerer user(kAppTitle, IDNO);
        const RunState state = play({"SetFocus >no window has this title", "SendText >x"});
        EXPECT_EQ(state.stopRequested, 1) << "No ends the run";
        const auto boxes = user.seen();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, "Focus Lost from application. Continue?");
        EXPECT_EQ(boxes[0].owner, owner.handle());
        EXPECT_TRUE(boxes[0].foreground);
        EXPECT_EQ(boxes[0].focusedButton, IDNO) << "No is the default";
    }
    const BoxAnswerer user(kAppTitle, IDYES);
    EXPECT_EQ(play({"SetFocus >no window has this title"}).stopRequested, 0);
    EXPECT_EQ(user.seen().size(), 1u);
}

}  // namespace
}  // namespace keyreel::win32
