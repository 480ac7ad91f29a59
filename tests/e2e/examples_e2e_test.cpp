// The shipped examples, played from keyreel.exe's command line, then with Run.

#include <algorithm>

#include "e2e_support.h"

namespace keyreel::e2e {
namespace {

class ExampleTest : public KeyreelTest {
  protected:
    // What `played` saw of each play.
    template <typename Played>
    std::vector<std::string> playTwice(const wchar_t* name, Played played) {
        setSetting("startup", "runLoaded", "1");
        setSetting("startup", "Run", "0");
        const std::wstring path = windowsPath(win32::toWide(KEYREEL_EXAMPLES)) + L"\\" + name;
        std::vector<std::string> seen;
        for (int play = 0; play < 2; ++play) {
            const bool started =
                play == 0 ? keyreel.start(L"\"" + path + L"\"") : clickButton(mainWindow(), L"Run");
            seen.push_back(started ? played() : "(not started)");
            if (!waitForTitle(kIdleTitle, 20000))
                seen.back() += " (the play did not end)";
        }
        return seen;
    }
};

// Each play starts a notepad of its own; the second save_and_close.kyr replaces the first's file.
TEST_F(ExampleTest, TheNotepadExamplesTypeTheirTextTwice) {
    const std::pair<const wchar_t*, std::string> examples[] = {
        {L"notepad_hello.kyr",
         "Hello from Keyreel!\r\nr\xC3\xA9p\xC3\xA9t\xC3\xA9 r\xC3\xA9p\xC3\xA9t\xC3\xA9 "
         "r\xC3\xA9p\xC3\xA9t\xC3\xA9 \r\nCaf\xC3\xA9 \xE2\x82\xAC 5 + 3"},
        {L"repeat_block.kyr", "Shopping list\r\n- item\r\n- item\r\n- item\r\nThat is all."},
        {L"daily_checklist.kyr",
         "Daily check:\r\n- back up the project folder\r\n- empty the downloads folder\r\n- "
         "read the team's notes\r\n"},
        {L"save_and_close.kyr", "(closed)"},
    };
    for (const auto& [name, expected] : examples) {
        SCOPED_TRACE(win32::toUtf8(name));
        std::vector<HWND> opened;
        const auto textOf = [](HWND notepad) {
            return IsWindow(notepad) ? win32::toUtf8(windowText(findChild(notepad, L"Edit")))
                                     : "(closed)";
        };
        const auto played = [&]() -> std::string {
            const HWND notepad = waitForWindowThat(
                [&]() -> HWND {
                    for (const HWND window : windowsOfClass(L"Notepad")) {
                        if (std::ranges::find(opened, window) == opened.end() &&
                            findChild(window, L"Edit") != nullptr)
                            return window;
                    }
                    return nullptr;
                },
                20000);
            if (notepad == nullptr)
                return "(notepad did not open)";
            opened.push_back(notepad);
            waitFor([&] { return textOf(notepad) == expected; }, 30000);
            return textOf(notepad);
        };
        EXPECT_EQ(playTwice(name, played), std::vector<std::string>(2, expected));
        KeyreelTest::TearDown();  // both notepads and the program go
    }
}

// Wine has no calculator: the target program stands in for it as calc.exe in the system folder.
TEST_F(ExampleTest, SumsTypesIntoTheCalculatorAndClosesIt) {
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring calculator = std::wstring(system) + L"\\calc.exe";
    ASSERT_TRUE(CopyFileW(besideThisProgram(L"e2e_target.exe").c_str(), calculator.c_str(), FALSE));
    const std::string sums = "12*7=1250+375=100/8=";
    const auto played = [&]() -> std::string {
        HWND window = nullptr;  // found by its title, maybe before it has its edit
        const HWND edit = waitForWindowThat(
            [&] {
                window = FindWindowW(nullptr, L"Calculator");
                return window != nullptr ? findChild(window, L"Edit") : nullptr;
            },
            20000);
        std::string typed;  // as last seen before the window closed
        waitFor(
            [&] {
                return (typed = IsWindow(edit) ? win32::toUtf8(windowText(edit)) : typed) == sums;
            },
            30000);
        return waitFor([&] { return !IsWindow(window); }, 20000) ? typed : typed + " (not closed)";
    };
    EXPECT_EQ(playTwice(L"sums.kyr", played), std::vector<std::string>(2, sums));
    DeleteFileW(calculator.c_str());
}

// With nothing to draw on, the play still asks first and ends.
TEST_F(ExampleTest, MouseSquareAsksFirstAndEnds) {
    const auto played = [] {
        const HWND box = waitForDialog(kAppTitle, 20000, L"drawing program");
        answerMessageBox(box, IDOK);
        return std::string(box != nullptr ? "asked" : "(not asked)");
    };
    EXPECT_EQ(playTwice(L"mouse_square.kyr", played), std::vector<std::string>(2, "asked"));
}

}  // namespace
}  // namespace keyreel::e2e
