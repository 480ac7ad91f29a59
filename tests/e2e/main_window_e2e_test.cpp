// The main window: builder, real file dialogs, menus, tray menu, about box, help, pointer tracker.

#include "e2e_support.h"

#include <commctrl.h>  // after windows.h, which it needs

#include <cstdlib>

namespace keyreel::e2e {
namespace {

class MainWindowE2E : public KeyreelTest {
  protected:
    std::vector<std::wstring> lines() { return listItems(findChild(main, L"ListBox")); }
    HWND button(const wchar_t* text) { return findChild(main, L"Button", text); }
    // The word at `position` chosen with the arrow keys, then Tab and the value typed.
    void chooseWord(int position, const wchar_t* word, const std::wstring& text) {
        const HWND chooser = findChild(main, L"ComboBox");
        const HWND value = findChild(main, L"Edit");
        ASSERT_TRUE(clickOn(chooser));
        ASSERT_TRUE(waitForFocusIn(chooser, 5000));
        const int steps = position - chosen_;
        ASSERT_TRUE(steps == 0 || tapKeys(L"--repeat " + std::to_wstring(std::abs(steps)) +
                                          L" --delay 30 " + (steps > 0 ? L"Down" : L"Up")));
        chosen_ = position;
        ASSERT_TRUE(waitFor([&] { return windowText(chooser) == word; }, 3000))
            << win32::toUtf8(windowText(chooser));
        ASSERT_TRUE(tapKeys(L"Tab"));
        ASSERT_TRUE(waitForFocusIn(value, 5000)) << "Tab leads from the chooser to the value";
        ASSERT_TRUE(text.empty() || typeText(text));
        ASSERT_TRUE(waitFor([&] { return windowText(value) == text; }, 3000));
    }
    // The line added with Enter in the value field or with the Add button.
    void addLine(int position, const wchar_t* word, const std::wstring& text, bool withEnter) {
        const std::size_t before = lines().size();
        chooseWord(position, word, text);
        ASSERT_TRUE(withEnter ? tapKeys(L"Return") : clickOn(button(L"Add")));
        ASSERT_TRUE(waitFor([&] { return lines().size() == before + 1; }, 3000));
    }
    void selectLine(int index) {
        const HWND list = findChild(main, L"ListBox");
        ASSERT_TRUE(clickListLine(list, index));
        ASSERT_TRUE(waitFor([&] { return SendMessageW(list, LB_GETCURSEL, 0, 0) == index; }, 3000));
    }

  private:
    int chosen_ = -1;  // nothing chosen: the first Down chooses position 0
};

// The help window's navigation tab: 0 shows the contents, 1 the index, -1 none yet.
LRESULT helpTab(HWND help) {
    for (const Child& child : children(help, true)) {
        if (child.className == WC_TABCONTROLW)
            return SendMessageW(child.hwnd, TCM_GETCURSEL, 0, 0);
    }
    return -1;
}

TEST_F(MainWindowE2E, BuildsAMacroSavesItLoadsItBackAndRunsItIntoNotepad) {
    ASSERT_NE(open(L""), nullptr);
    addLine(4, L"WaitForWindow", L"Untitled - Notepad", true);
    addLine(6, L"SetFocus", L"Untitled - Notepad", false);
    addLine(7, L"SendText", L"built", false);
    addLine(14, L"Press_Enter", L"dropped", false);
    addLine(7, L"SendText", L"extra", true);
    addLine(7, L"SendText", L"done", true);

    // Inserted before the selected line; the Delete key deletes one.
    selectLine(0);
    chooseWord(0, L"RunProgram", L"notepad.exe");
    ASSERT_TRUE(clickOn(button(L"Insert")));
    selectLine(5);
    ASSERT_TRUE(tapKeys(L"Delete"));
    const std::vector<std::wstring> built{L"RunProgram >notepad.exe",
                                          L"WaitForWindow >Untitled - Notepad",
                                          L"SetFocus >Untitled - Notepad",
                                          L"SendText >built",
                                          L"Press_Enter",
                                          L"SendText >done"};
    ASSERT_TRUE(waitFor([&] { return lines() == built; }, 3000));

    const std::wstring saved = folder + L"built.kyr";
    DeleteFileW(saved.c_str());
    ASSERT_TRUE(clickOn(button(L"Save")));
    answerFileDialog(L"Save As", L"built.kyr");
    ASSERT_TRUE(waitFor([&] { return !fileBytes(saved).empty(); }, 5000));

    chooseMenu(L"f", L"c");  // File > Clear
    ASSERT_TRUE(waitFor([&] { return lines().empty(); }, 3000));
    chooseMenu(L"f", L"l");  // File > Load
    answerFileDialog(L"Open", L"built.kyr");
    ASSERT_TRUE(waitFor([&] { return lines() == built; }, 5000));

    ASSERT_TRUE(clickOn(button(L"Run")));
    const HWND edit = waitForNotepadEdit(20000);
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(waitFor([&] { return windowText(edit) == L"built\r\ndone"; }, 20000))
        << win32::toUtf8(windowText(edit));
    EXPECT_TRUE(waitForTitle(kIdleTitle, 10000));
}

TEST_F(MainWindowE2E, TheTrackerFollowsThePointerAndTheToggleFollowsTheTracker) {
    TypingTarget target;
    ASSERT_TRUE(target.open());
    setSetting("hotkey", "F1", "1");
    setSetting("hKeyLoc", "F1", win32::toUtf8(writeMacro(L"f1.kyr", "Wait >1\r\n")).c_str());
    ASSERT_NE(open(L"\"" + writeMacro(L"one.kyr", "Press_Tab\r\n") + L"\""), nullptr);
    HWND position = nullptr;
    for (const Child& child : children(main)) {
        if (child.className == L"Static" && child.text.find(L',') != std::wstring::npos)
            position = child.hwnd;
    }
    ASSERT_NE(position, nullptr) << "the pointer position";

    ASSERT_TRUE(clickOn(position, 2));
    const HWND tracker = waitForShown(L"KeyreelTrackerWindow", 5000);
    ASSERT_NE(tracker, nullptr);
    const HWND shown = findChild(tracker, L"Static");
    const int offset = MulDiv(200, static_cast<int>(GetDpiForWindow(tracker)), 1440);
    const auto besidePointer = [&](int x, int y) {
        RECT rect{};
        GetWindowRect(tracker, &rect);
        return rect.left == x + offset && rect.top == y + offset &&
               windowText(shown) == std::to_wstring(x) + L"," + std::to_wstring(y);
    };
    ASSERT_TRUE(movePointerTo(300, 200));
    EXPECT_TRUE(waitFor([&] { return besidePointer(300, 200); }, 5000));

    // After a file play from a hot key in another program, a double click still closes it.
    target.activate();
    ASSERT_TRUE(tapKeys(L"alt+F1"));
    ASSERT_TRUE(waitForTitle(kPlayingTitle, 20000));
    ASSERT_TRUE(waitForTitle(kIdleTitle, 10000));
    ASSERT_TRUE(clickOn(position, 2));
    const auto trackers = [] { return windowsOfClass(L"KeyreelTrackerWindow").size(); };
    EXPECT_TRUE(waitFor([&] { return trackers() == 0; }, 5000));

    // Hide closes an open tracker with the other windows.
    ASSERT_TRUE(clickOn(position, 2));
    ASSERT_NE(waitForShown(L"KeyreelTrackerWindow", 5000), nullptr);
    hide();
    EXPECT_TRUE(waitFor([&] { return trackers() == 0; }, 5000));
}

TEST_F(MainWindowE2E, TheAboutBoxAndTheHelpFromTheMenusThenExitAndAMissingHelpFileIsNamed) {
    ASSERT_NE(open(L""), nullptr);
    chooseMenu(L"h", L"a");
    const HWND about = waitForShown(L"KeyreelAboutWindow", 5000);
    ASSERT_NE(about, nullptr);
    chooseTrayItem(L"About");
    ASSERT_TRUE(waitForActive(about, 5000));
    EXPECT_EQ(windowsOfClass(L"KeyreelAboutWindow").size(), 1u) << "opened twice: the one window";

    chooseMenu(L"h", L"m");  // Macro Help: the index
    HWND help = nullptr;
    const auto helpWindow = [] { return FindWindowW(L"HH Parent", L"Tobrin's Keyreel Help"); };
    ASSERT_TRUE(waitFor([&] { return (help = helpWindow()) && helpTab(help) >= 0; }, 15000));
    EXPECT_EQ(helpTab(help), 1) << "the index";
    // Out of the way of the main window and the tray.
    SetWindowPos(help, nullptr, 640, 480, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    chooseTrayItem(L"Exit");  // closes every window
    EXPECT_TRUE(keyreel.waitForExit(10000));
    EXPECT_EQ(helpWindow(), nullptr);
    EXPECT_TRUE(windowsOfClass(L"KeyreelAboutWindow").empty());

    // A copy of the program without its help beside it.
    const std::wstring copy = folder + L"keyreel.exe";
    ASSERT_TRUE(CopyFileW(keyreelExecutable().c_str(), copy.c_str(), FALSE));
    ChildProcess lonely;
    ASSERT_TRUE(
        lonely.start(L"\"" + copy + L"\" \"" + writeMacro(L"one.kyr", "Press_Tab\r\n") + L"\""));
    main = mainWindow();
    ASSERT_TRUE(waitFor([&] { return IsWindowVisible(main) != FALSE; }, 10000));
    chooseMenu(L"h", L"m");
    answer(L"keyreel.chm was not found", IDOK);
    EXPECT_TRUE(lonely.running());
    lonely.kill();
    DeleteFileW(copy.c_str());
}

}  // namespace
}  // namespace keyreel::e2e
