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

// What a message box showed: its owner, whether it came to the front, and
// the id of the button with the keyboard focus.
struct SeenBox {
    HWND owner = nullptr;
    bool front = false;
    int focused = 0;
};

// Answers a box with `button` once it is in front with a button focused (a
// box is shown before it is activated; a busy machine takes a while).
std::future<std::wstring> answerBox(int button, SeenBox& seen) {
    return answerDialog(toWide(kAppTitle), [button, &seen](HWND box) {
        GUITHREADINFO input{};
        input.cbSize = sizeof input;
        probe::waitFor([&] {
            GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &input);
            return GetForegroundWindow() == box && input.hwndFocus != nullptr;
        });
        seen = {GetWindow(box, GW_OWNER), GetForegroundWindow() == box,
                GetDlgCtrlID(input.hwndFocus)};
        pressButton(button)(box);
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

// Another program of the build lying under notepad's name in a download
// folder, made current, and beside the running program; it opens no window
// when started.
class PlantedNotepads {
  public:
    PlantedNotepads() {
        std::filesystem::create_directories(paths_[0].parent_path());
        for (const std::filesystem::path& path : paths_)
            std::filesystem::copy_file(std::string("Z:") + KYR_EXE, path,
                                       std::filesystem::copy_options::overwrite_existing);
        std::filesystem::current_path(paths_[0].parent_path());
    }
    ~PlantedNotepads() {
        std::filesystem::current_path(earlier_);
        for (const std::filesystem::path& path : paths_)
            std::filesystem::remove(path);
    }
    PlantedNotepads(const PlantedNotepads&) = delete;
    PlantedNotepads& operator=(const PlantedNotepads&) = delete;

  private:
    const std::filesystem::path earlier_ = std::filesystem::current_path();
    const std::filesystem::path paths_[2] = {
        std::filesystem::temp_directory_path() / "keyreel downloads" / "notepad.exe",
        besideProgram(L"notepad.exe")};
};

TEST_F(ProgramCommands, StartsTheSystemsProgramsAndTellsAnInvalidCommandLineFromOtherFailures) {
    {
        // A bare name is the system's program, whatever lies in the current
        // folder or beside the running program.
        const PlantedNotepads planted;
        const std::pair<std::string, StartResult> cases[] = {
            {"\"\"", StartResult::InvalidCommandLine},
            {"C:\\no such folder\\program.exe /x", StartResult::Failed},
            {"C:\\windows\\win.ini", StartResult::Failed},  // a document is no program
            {"notepad.exe", StartResult::Started},
        };
        for (const auto& [commandLine, result] : cases)
            EXPECT_EQ(desktop.startProgram(commandLine), result) << commandLine;
        EXPECT_TRUE(closeWhenShown("Notepad")) << "the system's, started without waiting for it";
    }
    // The shell opens documents: Wine's fresh prefix opens .ini files with
    // notepad; .txt has no program.
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
        SeenBox box;
        std::future<std::wstring> user = answerBox(c.click, box);
        EXPECT_EQ(desktop.showMessage(c.request), c.answer) << c.request.text;
        EXPECT_EQ(toUtf8(user.get()), c.request.text);
        EXPECT_EQ(box.owner, owner.handle());
        EXPECT_TRUE(box.front) << c.request.text;
        EXPECT_EQ(box.focused, c.click);
    }

    // A question that can be put off answers Cancel to its Cancel button.
    SeenBox box;
    std::future<std::wstring> user = answerBox(IDCANCEL, box);
    EXPECT_EQ(desktop.showMessage({"Save changes to Untitled?", kAppTitle,
                                   MessageButtons::YesNoCancel, MessageIcon::Question}),
              MessageAnswer::Cancel);
    user.get();
    EXPECT_EQ(box.focused, IDYES);
}

}  // namespace
}  // namespace keyreel::win32
