// Example macros shipped with the program, played twice from their own files
// the way a user starts them: keyreel.exe with the file's path, and Run for
// a second play while the first one's notepad is still open.

#include <algorithm>

#include "e2e_support.h"
#include "win32/wide_text.h"

namespace keyreel::e2e {
namespace {

// Notepad's visible main windows, top first.
std::vector<HWND> notepads() {
    std::vector<HWND> found;
    EnumWindows(
        [](HWND window, LPARAM list) {
            wchar_t name[16] = {};
            GetClassNameW(window, name, 16);
            if (IsWindowVisible(window) && std::wstring_view(name) == L"Notepad")
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// What the notepad holds, or "(closed)".
std::string textOf(HWND notepad) {
    if (!IsWindow(notepad))
        return "(closed)";
    return win32::toUtf8(probe::windowText(probe::findChild(notepad, L"Edit")));
}

class ExampleTest : public KeyreelTest {
  protected:
    // Starts keyreel.exe with the example, which it plays at once.
    bool startWith(const wchar_t* name) {
        setSetting("startup", "runLoaded", "1");
        setSetting("startup", "Run", "0");
        return keyreel.start(L"\"" + fromBuildPath(KEYREEL_EXAMPLES) + L"\\" + name + L"\"");
    }

    // Plays the example twice in a row, the second time with Run once the
    // first play ended, as a user would; each play starts a notepad of its
    // own. Waits until each holds `expected` and its play has ended, and
    // gives what each holds then, or why it could not.
    std::vector<std::string> playTwiceIntoNotepad(const wchar_t* name,
                                                  const std::string& expected) {
        if (!startWith(name))
            return {"(keyreel.exe did not start)"};
        std::vector<HWND> opened;
        std::vector<std::string> texts;
        for (int play = 0; play < 2; ++play) {
            if (play == 1 && !probe::clickButton(mainWindow(), L"Run"))
                return {"(no Run button)"};
            HWND notepad = nullptr;
            const auto started = [&] {
                for (const HWND window : notepads()) {
                    if (std::find(opened.begin(), opened.end(), window) == opened.end())
                        notepad = window;
                }
                return notepad != nullptr && probe::findChild(notepad, L"Edit") != nullptr;
            };
            if (!waitFor(started, 20000))
                return {"(notepad did not open)"};
            opened.push_back(notepad);
            waitFor([&] { return textOf(notepad) == expected; }, 30000);
            if (!waitForTitle(kIdleTitle, 10000))
                return {"(the play did not end)"};
            texts.push_back(textOf(notepad));
        }
        return texts;
    }
};

// The second play of save_and_close.kyr finds the file of the first, and
// Notepad asks before it replaces it.
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
        EXPECT_EQ(playTwiceIntoNotepad(name, expected), std::vector<std::string>(2, expected));
        // Both notepads and the program go before the next example.
        KeyreelTest::TearDown();
    }
}

// Wine has no calculator: the target program stands in for it, as calc.exe
// in the system folder, where a bare program name is looked for.
TEST_F(ExampleTest, SumsTypesIntoTheCalculatorAndClosesIt) {
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    const std::wstring calculator = std::wstring(system) + L"\\calc.exe";
    ASSERT_TRUE(CopyFileW(besideThisProgram(L"e2e_target.exe").c_str(), calculator.c_str(), FALSE));
    ASSERT_TRUE(startWith(L"sums.kyr"));
    for (int play = 0; play < 2; ++play) {
        if (play == 1) {
            ASSERT_TRUE(probe::clickButton(mainWindow(), L"Run"));
        }
        // Found by its title while it is still being made, the window may
        // not have its edit yet.
        HWND window = nullptr;
        HWND edit = nullptr;
        ASSERT_TRUE(waitFor(
            [&] {
                window = FindWindowW(nullptr, L"Calculator");
                return window != nullptr && (edit = probe::findChild(window, L"Edit")) != nullptr;
            },
            20000));
        // What was typed, as last seen before the window closed.
        std::wstring typed;
        EXPECT_TRUE(waitFor(
            [&] {
                if (IsWindow(edit))
                    typed = probe::windowText(edit);
                return typed == L"12*7=1250+375=100/8=";
            },
            30000))
            << "play " << play + 1 << ": " << win32::toUtf8(typed);
        EXPECT_TRUE(waitFor([&] { return !IsWindow(window); }, 20000)) << "closed at the end";
        ASSERT_TRUE(waitForTitle(kIdleTitle, 10000));
    }
    DeleteFileW(calculator.c_str());
}

// With nothing to draw on, the play still asks first and ends.
TEST_F(ExampleTest, MouseSquareAsksFirstAndEnds) {
    ASSERT_TRUE(startWith(L"mouse_square.kyr"));
    for (int play = 0; play < 2; ++play) {
        if (play == 1) {
            ASSERT_TRUE(probe::clickButton(mainWindow(), L"Run"));
        }
        const HWND box = probe::waitForMessageBox(kAppTitle, L"drawing program", 20000);
        ASSERT_NE(box, nullptr);
        probe::answerMessageBox(box, IDOK);
        EXPECT_TRUE(waitForTitle(kIdleTitle, 20000));
    }
}

}  // namespace
}  // namespace keyreel::e2e
