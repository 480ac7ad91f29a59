// Windows, programs, documents, message boxes and file dialogs.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <future>
#include <tuple>

#include "core/base/product_texts.h"
#include "temp_folder.h"
#include "test_window.h"
#include "win32/desktop/win32_desktop.h"
#include "win32/file_dialogs.h"
#include "win32/program_files.h"
#include "win32/wide_text.h"

namespace keyreel::win32 {
namespace {

// A box's owner, whether it came to the front, and its focused button.
using SeenBox = std::tuple<HWND, bool, int>;

// Answers once the box is in front with a button focused (it shows before it is activated).
std::future<std::wstring> answerBox(int button, SeenBox& seen) {
    return probe::answerDialog(toWide(kAppTitle), [button, &seen](HWND box) {
        GUITHREADINFO input{};
        input.cbSize = sizeof input;
        probe::waitFor([&] {
            GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &input);
            return GetForegroundWindow() == box && input.hwndFocus != nullptr;
        });
        seen = {GetWindow(box, GW_OWNER), GetForegroundWindow() == box,
                GetDlgCtrlID(input.hwndFocus)};
        probe::pressButton(button)(box);
    });
}

class DesktopCommands : public ::testing::Test {
  protected:
    // Closes windows titled with `part` until none is left (notepad starts as "Notepad").
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

TEST_F(DesktopCommands, StartsTheSystemsProgramsAndTellsAnInvalidCommandLineFromOtherFailures) {
    namespace fs = std::filesystem;
    // A windowless program of the build as notepad.exe here and beside the running program.
    const fs::path earlier = fs::current_path();
    const fs::path planted[] = {fs::temp_directory_path() / "keyreel downloads" / "notepad.exe",
                                besideProgram(L"notepad.exe")};
    fs::create_directories(planted[0].parent_path());
    for (const fs::path& path : planted)
        fs::copy_file(std::string("Z:") + KYR_EXE, path, fs::copy_options::overwrite_existing);
    fs::current_path(planted[0].parent_path());
    const std::pair<std::string, StartResult> cases[] = {
        {"\"\"", StartResult::InvalidCommandLine},
        {"C:\\no such folder\\program.exe /x", StartResult::Failed},
        {"C:\\windows\\win.ini", StartResult::Failed},  // a document is no program
        {"notepad.exe", StartResult::Started},
    };
    for (const auto& [commandLine, result] : cases)
        EXPECT_EQ(desktop.startProgram(commandLine), result) << commandLine;
    EXPECT_TRUE(closeWhenShown("Notepad")) << "the system's, started without waiting for it";
    fs::current_path(earlier);
    for (const fs::path& path : planted)
        fs::remove(path);
    // Wine's fresh prefix opens .ini files with notepad; .txt with nothing.
    const fs::path document = fs::temp_directory_path() / "keyreel shell test.ini";
    std::ofstream(document) << "[opened by the shell]\r\n";
    EXPECT_TRUE(desktop.shellOpen(toUtf8(document.wstring())));
    EXPECT_TRUE(closeWhenShown("keyreel shell test"));
    fs::remove(document);
    EXPECT_FALSE(desktop.shellOpen("C:\\no such folder\\missing.txt"));
}

TEST_F(DesktopCommands, MessageBoxesComeToTheFrontOverTheirOwnerWithTheirDefault) {
    const auto question = [](MessageButtons buttons, bool defaultNo) {
        return MessageRequest{"Continue?", kAppTitle, buttons, MessageIcon::Question, defaultNo};
    };
    // Owner shown (a box shows even while Keyreel is in the tray), request, click, answer, default.
    const std::tuple<bool, MessageRequest, int, MessageAnswer, int> cases[] = {
        {true, {"Typed text: é€", kAppTitle}, IDOK, MessageAnswer::Ok, IDOK},
        {false, question(MessageButtons::YesNo, true), IDNO, MessageAnswer::No, IDNO},
        {true, question(MessageButtons::YesNoCancel, false), IDCANCEL, MessageAnswer::Cancel,
         IDYES}};
    for (const auto& [ownerShown, request, click, answer, focused] : cases) {
        const TestWindow owner("Keyreel message owner", TestWindow::Content::Empty, ownerShown);
        const TestWindow other("Keyreel other program", TestWindow::Content::Empty);
        desktop.setMessageOwner(owner.handle());
        SeenBox box;
        std::future<std::wstring> user = answerBox(click, box);
        EXPECT_EQ(desktop.showMessage(request), answer) << request.text;
        EXPECT_EQ(toUtf8(user.get()), request.text);
        EXPECT_EQ(box, SeenBox(owner.handle(), true, focused)) << request.text;
    }
}

TEST_F(DesktopCommands, CloseAndActivateTakeWholeTitlesInAnyCaseAndLongOnesByTheirStart) {
    const auto stackPosition = [&](const std::string& title) {
        const auto titles = desktop.windowTitles();
        const auto found = std::find(titles.begin(), titles.end(), title);
        return found == titles.end() ? -1 : found - titles.begin();
    };
    const TestWindow hidden("Keyreel hidden window", TestWindow::Content::Empty, false);
    TestWindow back("Keyreel Back Window", TestWindow::Content::Edit);
    TestWindow front("Keyreel front window", TestWindow::Content::Edit);
    ASSERT_EQ(GetForegroundWindow(), front.handle());
    EXPECT_GE(stackPosition("Keyreel hidden window"), 0);
    EXPECT_LT(stackPosition("Keyreel front window"), stackPosition("Keyreel Back Window"));

    EXPECT_TRUE(desktop.activateWindow("KEYREEL BACK WINDOW"));
    probe::settle();
    EXPECT_EQ(GetForegroundWindow(), back.handle());
    EXPECT_LT(stackPosition("Keyreel Back Window"), stackPosition("Keyreel front window"));
    desktop.typeCharacter(U'h');
    probe::settle();
    EXPECT_EQ(back.text(), "h") << "the keyboard focus went with it";

    ShowWindow(back.handle(), SW_MINIMIZE);
    front.bringToFront();
    EXPECT_TRUE(desktop.activateWindow("Keyreel Back Window"));
    probe::settle();
    EXPECT_FALSE(IsIconic(back.handle())) << "a minimised window is restored";
    EXPECT_EQ(GetForegroundWindow(), back.handle());

    EXPECT_FALSE(desktop.activateWindow("Keyreel Back"));

    TestWindow target("Keyreel close target", TestWindow::Content::Empty);
    EXPECT_FALSE(desktop.closeWindow("Keyreel close"));
    EXPECT_TRUE(desktop.closeWindow("KEYREEL CLOSE TARGET"));
    EXPECT_TRUE(target.exists()) << "the request is posted, not waited for";
    EXPECT_TRUE(probe::waitFor([&] { return !target.exists(); }));

    // Titles are read and searched by their first 259 characters.
    const std::string title = "Keyreel long title " + std::string(300, 'x');
    const std::string seen = title.substr(0, 259);
    TestWindow longTitled(title, TestWindow::Content::Empty);
    front.bringToFront();
    EXPECT_GE(stackPosition(seen), 0);
    EXPECT_TRUE(desktop.activateWindow(seen));
    EXPECT_EQ(GetForegroundWindow(), longTitled.handle());
    EXPECT_TRUE(desktop.closeWindow(seen));
    EXPECT_TRUE(probe::waitFor([&] { return !longTitled.exists(); }));
}

TEST(FileDialogs, SaveAsOffersTheFileTypesFromItsFilterPreselectsItsEntryAndMayBeCancelled) {
    TempFolder folder;
    std::vector<std::wstring> types;
    LRESULT selected = -1;
    std::future<std::wstring> user = probe::answerDialog(L"Save As", [&](HWND dialog) {
        const HWND list = GetDlgItem(dialog, 1136);  // the file types
        for (LRESULT i = 0; i < SendMessageW(list, CB_GETCOUNT, 0, 0); ++i) {
            wchar_t type[128] = {};
            SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(type));
            types.emplace_back(type);
        }
        selected = SendMessageW(list, CB_GETCURSEL, 0, 0);
        probe::enterFileName(toWide(folder.file("plain")))(dialog);
    });
    EXPECT_EQ(chooseFile(nullptr, macroFileSaveDialog()), folder.file("plain")) << "no extension";
    user.get();
    EXPECT_EQ(types, (std::vector<std::wstring>{L"Text Files (*.txt)", L"Tobrin Files (*.kyr)"}));
    EXPECT_EQ(selected, 1) << "entry 2, the macro files";
    EXPECT_EQ(folder.entries(), 0u) << "the dialog itself writes nothing";

    user = probe::answerDialog(L"Save As", probe::pressButton(IDCANCEL));
    EXPECT_EQ(chooseFile(nullptr, macroFileSaveDialog()), std::nullopt);
}

}  // namespace
}  // namespace keyreel::win32
