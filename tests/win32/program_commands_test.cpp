// Programs, documents and message boxes.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <future>

#include "core/base/product_texts.h"
#include "test_window.h"
#include "win32/desktop/win32_desktop.h"
#include "win32/program_files.h"
#include "win32/wide_text.h"

namespace keyreel::win32 {
namespace {

// What a message box showed when it was answered.
struct SeenBox {
    std::string text;
    HWND owner = nullptr;
    bool foreground = false;
    // The control id of the button that has the keyboard focus.
    int focusedButton = 0;
};

// Answers this process's first message box by clicking `button` from a
// second thread, as a user would while the test's own thread is inside the
// box's modal loop; gives what the box showed.
std::future<SeenBox> answerBox(int button) {
    return std::async(std::launch::async, [button] {
        const HWND box = probe::waitForDialog(toWide(kAppTitle), 10000);
        // A box is shown before it is activated and its button focused; give
        // it the time a busy machine takes.
        GUITHREADINFO input{};
        input.cbSize = sizeof input;
        probe::waitFor([&] {
            GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &input);
            return GetForegroundWindow() == box && input.hwndFocus != nullptr;
        });
        const SeenBox seen{toUtf8(probe::messageBoxText(box)), GetWindow(box, GW_OWNER),
                           GetForegroundWindow() == box, GetDlgCtrlID(input.hwndFocus)};
        probe::answerMessageBox(box, button);
        return seen;
    });
}

class ProgramCommands : public ::testing::Test {
  protected:
    // Waits for a window whose title holds `part`, then closes such windows
    // until none is left (notepad is "Notepad" for a moment while it starts):
    // a program left running would hold up whoever reads the test's output.
    bool closeWhenShown(const std::string& part) {
        const auto close = [&] {
            int closed = 0;
            for (const std::string& title : desktop.windowTitles())
                closed += title.find(part) != std::string::npos && desktop.closeWindow(title);
            return closed;
        };
        return probe::waitFor([&] { return close() > 0; }) &&
               probe::waitFor([&] { return close() == 0; });
    }

    Win32Desktop desktop;
};

// Another program of the build lying in a folder under a system program's
// name, as a download might; it opens no window when started.
class PlantedProgram {
  public:
    PlantedProgram(const std::filesystem::path& folder, const char* name) : path_(folder / name) {
        std::filesystem::create_directories(folder);
        std::filesystem::copy_file(std::string("Z:") + KYR_EXE, path_,
                                   std::filesystem::copy_options::overwrite_existing);
    }
    ~PlantedProgram() { std::filesystem::remove(path_); }
    PlantedProgram(const PlantedProgram&) = delete;
    PlantedProgram& operator=(const PlantedProgram&) = delete;

  private:
    std::filesystem::path path_;
};

// Makes a folder current for its lifetime.
class CurrentFolder {
  public:
    explicit CurrentFolder(const std::filesystem::path& folder)
        : earlier_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~CurrentFolder() { std::filesystem::current_path(earlier_); }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

  private:
    std::filesystem::path earlier_;
};

TEST_F(ProgramCommands, StartsProgramsAndTellsAnInvalidCommandLineFromOtherFailures) {
    // A bare name is the system's program, whatever lies in the current
    // folder or beside the running program.
    const std::filesystem::path downloads =
        std::filesystem::temp_directory_path() / "keyreel downloads";
    const PlantedProgram inDownloads(downloads, "notepad.exe");
    const PlantedProgram besideUs(besideProgram(L""), "notepad.exe");
    const CurrentFolder current(downloads);
    const std::pair<std::string, StartResult> cases[] = {
        {"\"\"", StartResult::InvalidCommandLine},
        {"C:\\no such folder\\program.exe /x", StartResult::Failed},
        {"C:\\windows\\win.ini", StartResult::Failed},  // a document is no program
        {"notepad.exe", StartResult::Started},
    };
    for (const auto& [commandLine, result] : cases)
        EXPECT_EQ(desktop.startProgram(commandLine), result) << commandLine;
    EXPECT_TRUE(closeWhenShown("Notepad"))
        << "the system's notepad, started without waiting for it";
}

TEST_F(ProgramCommands, ShellOpensDocumentsAndTellsWhatItCannotOpen) {
    // Wine's fresh prefix opens .ini files with notepad; .txt has no program.
    const std::filesystem::path document =
        std::filesystem::temp_directory_path() / "keyreel shell test.ini";
    std::ofstream(document) << "[opened by the shell]\r\n";
    EXPECT_TRUE(desktop.shellOpen(toUtf8(document.wstring())));
    EXPECT_TRUE(closeWhenShown("keyreel shell test"));
    std::filesystem::remove(document);

    EXPECT_FALSE(desktop.shellOpen("C:\\no such folder\\missing.txt"));
}

TEST_F(ProgramCommands, MessageBoxesComeToTheFrontOverTheirOwnerWithTheirDefault) {
    struct Case {
        bool ownerShown;
        MessageRequest request;
        int click;
        MessageAnswer answer;
    };
    const auto question = [](bool defaultNo) {
        return MessageRequest{"Continue?", kAppTitle, MessageButtons::YesNo, MessageIcon::Question,
                              defaultNo};
    };
    // Each case clicks the default button, which must have the focus.
    const Case cases[] = {
        {true, {"Typed text: é€", kAppTitle}, IDOK, MessageAnswer::Ok},
        // While Keyreel sits in the tray the box must still be seen.
        {false, question(true), IDNO, MessageAnswer::No},
    };
    for (const Case& c : cases) {
        const TestWindow owner("Keyreel message owner", TestWindow::Content::Empty, c.ownerShown);
        const TestWindow other("Keyreel other program", TestWindow::Content::Empty);
        desktop.setMessageOwner(owner.handle());
        std::future<SeenBox> user = answerBox(c.click);
        EXPECT_EQ(desktop.showMessage(c.request), c.answer) << c.request.text;
        const SeenBox box = user.get();
        EXPECT_EQ(box.text, c.request.text);
        EXPECT_EQ(box.owner, owner.handle());
        EXPECT_TRUE(box.foreground) << c.request.text;
        EXPECT_EQ(box.focusedButton, c.click);
    }

    // A question that can be put off answers Cancel to its Cancel button.
    std::future<SeenBox> user = answerBox(IDCANCEL);
    EXPECT_EQ(desktop.showMessage({"Save changes to Untitled?", kAppTitle,
                                   MessageButtons::YesNoCancel, MessageIcon::Question}),
              MessageAnswer::Cancel);
    EXPECT_EQ(user.get().focusedButton, IDYES);
}

}  // namespace
}  // namespace keyreel::win32
