// The main window of keyreel.exe driven as a user drives it: the builder with
// the mouse and the keyboard, the real Save As and Open dialogs, the menus by
// their access keys, the tray menu, the about box, the help and the pointer
// tracker.

#include <fstream>
#include <sstream>

#include "e2e_support.h"
// After windows.h, which it needs.
#include <commctrl.h>

#include "user_actions.h"
#include "win32/wide_text.h"

namespace keyreel::e2e {
namespace {

std::string fileBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool fileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class MainWindowE2E : public KeyreelTest {
  protected:
    void TearDown() override {
        KeyreelTest::TearDown();
        SetCurrentDirectoryW(startFolder_.c_str());
    }

    // Starts keyreel.exe with the arguments, or in the tray without any and
    // restored with a double click on its icon; waits for its main window.
    // Its file dialogs open in the test's folder, its current folder.
    HWND open(const std::wstring& arguments) {
        SetCurrentDirectoryW(folder.c_str());
        EXPECT_TRUE(keyreel.start(arguments));
        // A busy machine may take its time to start a program.
        main = mainWindow(20000);
        if (main == nullptr)
            return nullptr;
        if (arguments.empty()) {
            EXPECT_TRUE(doubleClickOn(waitForTrayIcon(10000)));
        }
        EXPECT_TRUE(waitFor([&] { return IsWindowVisible(main) != FALSE; }, 10000));
        // Off Wine's tray window, which sits at the top left of the screen.
        SetWindowPos(main, nullptr, 320, 160, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        list = probe::findChild(main, L"ListBox");
        chooser = probe::findChild(main, L"ComboBox");
        value = probe::findChild(main, L"Edit");
        return main;
    }
    std::vector<std::wstring> lines() { return probe::listItems(list); }
    HWND button(const wchar_t* text) { return probe::findChild(main, L"Button", text); }
    // A click on the window's "Command" label, which does nothing else.
    void activate() {
        ASSERT_TRUE(clickOn(probe::findChild(main, L"Static", L"Command")));
        ASSERT_TRUE(waitForActive(main, 5000));
    }
    // Alt and the menu's letter, then the item's letter once the menu is
    // open.
    void chooseMenu(const wchar_t* menuKey, const wchar_t* itemKey) {
        activate();
        ASSERT_TRUE(tapKeys(std::wstring(L"alt+") + menuKey));
        ASSERT_TRUE(waitForMenu(main, 5000)) << "no menu";
        ASSERT_TRUE(tapKeys(itemKey));
    }
    // Right-clicks the tray icon and clicks the tray menu's item at
    // `position`, the separator not counted.
    void chooseTrayItem(int position) {
        activate();
        const HWND icon = waitForTrayIcon(5000);
        RECT place{};
        GetWindowRect(icon, &place);
        ASSERT_TRUE(movePointerTo((place.left + place.right) / 2, (place.top + place.bottom) / 2));
        // The press gives the tray window the focus; the menu comes with the
        // release and would close again if that focus change came after it.
        ASSERT_TRUE(probe::runUnixProgram(L"/usr/bin/xdotool mousedown 3"));
        ASSERT_TRUE(waitForActive(GetAncestor(icon, GA_ROOT), 5000));
        ASSERT_TRUE(probe::runUnixProgram(L"/usr/bin/xdotool mouseup 3"));
        ASSERT_TRUE(waitForMenu(main, 5000)) << "no tray menu";
        const POINT item = trayMenuItem(FindWindowW(L"#32768", nullptr), position);
        ASSERT_TRUE(movePointerTo(item.x, item.y));
        ASSERT_TRUE(probe::runUnixProgram(L"/usr/bin/xdotool click 1"));
    }
    // The middle of the tray menu's item at `position`: four items, a
    // separator half an item high, and Exit; a thin border round them all.
    static POINT trayMenuItem(HWND menu, int position) {
        constexpr int kItemsBeforeSeparator = 4;
        constexpr int kBorder = 2;
        RECT rect{};
        GetWindowRect(menu, &rect);
        const int itemHeight = (rect.bottom - rect.top - 2 * kBorder) * 2 / 11;
        const int y = position < kItemsBeforeSeparator
                          ? rect.top + kBorder + itemHeight * position + itemHeight / 2
                          : rect.bottom - kBorder - itemHeight / 2;
        return {(rect.left + rect.right) / 2, y};
    }
    // Chooses the word at `position` in the command chooser with the arrow
    // keys, from the word chosen before.
    void chooseWord(int position, const wchar_t* word) {
        ASSERT_TRUE(clickOn(chooser));
        ASSERT_TRUE(waitForFocusIn(chooser, 5000));
        const int steps = position - chosen_;
        if (steps != 0) {
            ASSERT_TRUE(tapKeys(L"--repeat " + std::to_wstring(std::abs(steps)) + L" --delay 30 " +
                                (steps > 0 ? L"Down" : L"Up")));
        }
        chosen_ = position;
        ASSERT_TRUE(waitFor([&] { return probe::windowText(chooser) == word; }, 3000))
            << win32::toUtf8(probe::windowText(chooser));
    }
    // Tab from the chooser to the value field, and the value typed there.
    void typeValue(const std::wstring& text) {
        ASSERT_TRUE(tapKeys(L"Tab"));
        ASSERT_TRUE(waitForFocusIn(value, 5000)) << "Tab leads from the chooser to the value";
        if (!text.empty()) {
            ASSERT_TRUE(typeText(text));
        }
        ASSERT_TRUE(waitFor([&] { return probe::windowText(value) == text; }, 3000));
    }
    void selectLine(int index) {
        ASSERT_TRUE(clickListLine(list, index));
        ASSERT_TRUE(waitFor([&] { return SendMessageW(list, LB_GETCURSEL, 0, 0) == index; }, 3000));
    }
    // Answers the Save As or Open dialog by typing a file name and pressing
    // Enter, or with Escape when `name` is empty.
    void answerFileDialog(const wchar_t* title, const std::wstring& name) {
        const HWND dialog = waitForDialog(title, 10000);
        ASSERT_NE(dialog, nullptr) << win32::toUtf8(title);
        // Into the file name field: a dialog opened from the tray menu may
        // come up without the focus, which stays with the tray under X.
        const HWND fileName = GetDlgItem(dialog, 1148);
        ASSERT_TRUE(clickOn(fileName));
        ASSERT_TRUE(waitForActive(dialog, 5000));
        ASSERT_TRUE(waitForFocusIn(fileName, 5000));
        if (name.empty()) {
            ASSERT_TRUE(tapKeys(L"Escape"));
        } else {
            ASSERT_TRUE(typeText(name));
            ASSERT_TRUE(waitFor([&] { return probe::windowText(fileName) == name; }, 3000))
                << win32::toUtf8(probe::windowText(fileName));
            ASSERT_TRUE(tapKeys(L"Return"));
        }
        ASSERT_TRUE(waitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 5000));
    }

    HWND main = nullptr;
    HWND list = nullptr;
    HWND chooser = nullptr;
    HWND value = nullptr;

  private:
    int chosen_ = -1;  // nothing chosen: the first Down chooses position 0
    std::wstring startFolder_ = [] {
        wchar_t current[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, current);
        return std::wstring(current);
    }();
};

TEST_F(MainWindowE2E, BuildsAMacroSavesItLoadsItBackAndRunsItIntoNotepad) {
    ASSERT_NE(open(L""), nullptr);
    chooseWord(4, L"WaitForWindow");
    typeValue(L"Untitled - Notepad");
    ASSERT_TRUE(tapKeys(L"Return"));  // Enter in the value field adds the line
    ASSERT_TRUE(waitFor([&] { return lines().size() == 1; }, 3000));
    chooseWord(6, L"SetFocus");
    typeValue(L"Untitled - Notepad");
    ASSERT_TRUE(clickOn(button(L"Add")));
    ASSERT_TRUE(waitFor([&] { return lines().size() == 2; }, 3000));
    chooseWord(7, L"SendText");
    typeValue(L"built");
    ASSERT_TRUE(clickOn(button(L"Add")));
    ASSERT_TRUE(waitFor([&] { return lines().size() == 3; }, 3000));
    chooseWord(14, L"Press_Enter");
    typeValue(L"dropped");
    ASSERT_TRUE(clickOn(button(L"Add")));
    ASSERT_TRUE(waitFor([&] { return lines().size() == 4; }, 3000));
    chooseWord(7, L"SendText");
    typeValue(L"extra");
    ASSERT_TRUE(tapKeys(L"Return"));
    ASSERT_TRUE(waitFor([&] { return lines().size() == 5; }, 3000));
    chooseWord(7, L"SendText");
    typeValue(L"done");
    ASSERT_TRUE(tapKeys(L"Return"));
    ASSERT_TRUE(waitFor([&] { return lines().size() == 6; }, 3000));
    EXPECT_EQ(probe::windowText(value), L"") << "the value field is emptied";

    // The first line selected, the program to start goes before it.
    selectLine(0);
    chooseWord(0, L"RunProgram");
    typeValue(L"notepad.exe");
    ASSERT_TRUE(clickOn(button(L"Insert")));
    // The Delete key in the list deletes the selected line.
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
    ASSERT_TRUE(waitFor([&] { return fileExists(saved); }, 5000));
    EXPECT_EQ(
        fileBytes(saved),
        "RunProgram >notepad.exe\r\nWaitForWindow >Untitled - Notepad\r\n"
        "SetFocus >Untitled - Notepad\r\nSendText >built\r\nPress_Enter\r\nSendText >done\r\n");

    chooseMenu(L"f", L"c");  // File > Clear
    ASSERT_TRUE(waitFor([&] { return lines().empty(); }, 3000));
    chooseMenu(L"f", L"l");  // File > Load
    answerFileDialog(L"Open", L"built.kyr");
    ASSERT_TRUE(waitFor([&] { return lines() == built; }, 5000));

    ASSERT_TRUE(clickOn(button(L"Run")));
    const HWND edit = waitForNotepadEdit(20000);
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(waitFor([&] { return probe::windowText(edit) == L"built\r\ndone"; }, 20000))
        << win32::toUtf8(probe::windowText(edit));
    EXPECT_TRUE(waitForTitle(kIdleTitle, 10000));
}

TEST_F(MainWindowE2E, CancelAndNoChangeNothingAndARunAfterClearPlaysNothing) {
    TargetWindow target;
    const std::wstring macro = writeMacro(L"two.kyr", "SetFocus >KR Target\r\nSendText >typed\r\n");
    const std::wstring existing = writeMacro(L"existing.kyr", "old\r\n");
    ASSERT_NE(open(L"\"" + macro + L"\""), nullptr);
    ASSERT_TRUE(waitFor([&] { return lines().size() == 2; }, 5000));
    const std::vector<std::wstring> loaded = lines();

    ASSERT_TRUE(clickOn(button(L"Save")));
    answerFileDialog(L"Save As", L"");
    chooseMenu(L"f", L"l");
    answerFileDialog(L"Open", L"");
    // Hidden and shown again from the tray, then the tray menu's Load Macro.
    activate();
    ASSERT_TRUE(tapKeys(L"alt+d"));  // Hi&de, an item of the bar itself
    ASSERT_TRUE(waitFor([&] { return !IsWindowVisible(main); }, 5000));
    ASSERT_TRUE(doubleClickOn(waitForTrayIcon(5000)));
    ASSERT_TRUE(waitFor([&] { return IsWindowVisible(main) != FALSE; }, 5000));
    chooseTrayItem(0);
    answerFileDialog(L"Open", L"");
    EXPECT_EQ(lines(), loaded) << "cancelled three times: the list as it was";

    // Save onto an existing file, answered No: nothing is written.
    ASSERT_TRUE(clickOn(button(L"Save")));
    answerFileDialog(L"Save As", L"existing.kyr");
    const HWND question = probe::waitForMessageBox(kAppTitle, L"Overwrite existing file?", 5000);
    ASSERT_NE(question, nullptr);
    probe::answerMessageBox(question, IDNO);
    ASSERT_TRUE(waitFor([&] { return !IsWindow(question); }, 5000));
    EXPECT_EQ(fileBytes(existing), "old\r\n");
    EXPECT_EQ(target.text(), L"");

    chooseMenu(L"f", L"c");
    ASSERT_TRUE(waitFor([&] { return lines().empty(); }, 3000));
    ASSERT_TRUE(clickOn(button(L"Run")));
    EXPECT_TRUE(waitForTitle(kIdleTitle, 5000));
    EXPECT_TRUE(keyreel.running());
    EXPECT_EQ(target.text(), L"") << "the cleared list plays nothing";
}

HWND helpWindow() {
    return FindWindowW(L"HH Parent", L"Tobrin's Keyreel Help");
}

// The help viewer's navigation tab: 0 shows the contents, 1 the index.
LRESULT helpTab(HWND help) {
    HWND tabs = nullptr;
    EnumChildWindows(
        help,
        [](HWND child, LPARAM found) -> BOOL {
            wchar_t name[64] = {};
            GetClassNameW(child, name, 64);
            if (std::wstring(name) != L"SysTabControl32")
                return TRUE;
            *reinterpret_cast<HWND*>(found) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&tabs));
    return tabs != nullptr ? SendMessageW(tabs, TCM_GETCURSEL, 0, 0) : -1;
}

HWND waitForShown(const wchar_t* className, DWORD timeoutMillis) {
    HWND window = nullptr;
    waitFor(
        [&] {
            window = FindWindowW(className, nullptr);
            return window != nullptr && IsWindowVisible(window);
        },
        timeoutMillis);
    return window;
}

TEST_F(MainWindowE2E, TheTrackerFollowsThePointerAndTheToggleFollowsTheTracker) {
    TargetWindow target;
    setSetting("hotkey", "ALT", "1");
    setSetting("hotkey", "F1", "1");
    const std::wstring filePlay = writeMacro(L"f1.kyr", "Wait >1\r\n");
    setSetting("hKeyLoc", "F1", win32::toUtf8(filePlay).c_str());
    ASSERT_NE(open(L"\"" + writeMacro(L"one.kyr", "Press_Tab\r\n") + L"\""), nullptr);
    HWND position = nullptr;
    for (const probe::Child& child : probe::children(main)) {
        if (child.className == L"Static" && child.text.find(L',') != std::wstring::npos)
            position = child.hwnd;
    }
    ASSERT_NE(position, nullptr) << "the pointer position";

    ASSERT_TRUE(doubleClickOn(position));
    const HWND tracker = waitForShown(L"KeyreelTrackerWindow", 5000);
    ASSERT_NE(tracker, nullptr);
    const HWND shown = probe::findChild(tracker, L"Static");
    const int offset = MulDiv(200, static_cast<int>(GetDpiForWindow(tracker)), 1440);
    const auto besidePointer = [&](int x, int y) {
        RECT rect{};
        GetWindowRect(tracker, &rect);
        return rect.left == x + offset && rect.top == y + offset &&
               probe::windowText(shown) == std::to_wstring(x) + L"," + std::to_wstring(y);
    };
    ASSERT_TRUE(movePointerTo(300, 200));
    EXPECT_TRUE(waitFor([&] { return besidePointer(300, 200); }, 5000));
    ASSERT_TRUE(movePointerTo(0, 0));
    EXPECT_TRUE(waitFor([&] { return besidePointer(0, 0); }, 5000)) << "\"0,0\" at the corner";

    // After a file play the next double click still closes the open tracker.
    // The hot key is pressed in another program, as hot keys are.
    target.activate();
    ASSERT_TRUE(tapKeys(L"alt+F1"));
    ASSERT_TRUE(waitForTitle(kPlayingTitle, 5000));
    ASSERT_TRUE(waitForTitle(kIdleTitle, 10000));
    ASSERT_TRUE(doubleClickOn(position));
    EXPECT_TRUE(waitFor([] { return windowsOfClass(L"KeyreelTrackerWindow") == 0; }, 5000));

    // Hide closes an open tracker with the other windows.
    ASSERT_TRUE(doubleClickOn(position));
    ASSERT_NE(waitForShown(L"KeyreelTrackerWindow", 5000), nullptr);
    activate();
    ASSERT_TRUE(tapKeys(L"alt+d"));
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(main); }, 5000));
    EXPECT_TRUE(waitFor([] { return windowsOfClass(L"KeyreelTrackerWindow") == 0; }, 5000));
}

TEST_F(MainWindowE2E, TheAboutBoxAndTheHelpIndexFromTheMenusThenExit) {
    ASSERT_NE(open(L"\"" + writeMacro(L"one.kyr", "Press_Tab\r\n") + L"\""), nullptr);
    chooseMenu(L"h", L"a");
    const HWND about = waitForShown(L"KeyreelAboutWindow", 5000);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(probe::windowText(about), L"About Tobrin's Keyreel");
    for (const wchar_t* text :
         {L"Tobrin's Keyreel", L"Version 2.1.0",
          L"Disclaimer:    This program was developed as is.  Use at your own risk.  The program "
          L"is not responsible for damage, misconfiguration, loss of data, death, eruption or "
          L"earthquakes associated by using this program."}) {
        EXPECT_NE(probe::findChild(about, L"Static", text), nullptr) << win32::toUtf8(text);
    }
    chooseMenu(L"h", L"a");
    ASSERT_TRUE(waitForActive(about, 5000));
    EXPECT_EQ(windowsOfClass(L"KeyreelAboutWindow"), 1) << "opened twice: the one window";

    chooseMenu(L"h", L"m");  // Macro Help: the index
    HWND help = nullptr;
    ASSERT_TRUE(
        waitFor([&] { return (help = helpWindow()) != nullptr && helpTab(help) >= 0; }, 15000));
    EXPECT_EQ(helpTab(help), 1) << "the index";
    // Out of the way of the main window.
    SetWindowPos(help, nullptr, 640, 480, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

    chooseMenu(L"f", L"x");  // File > Exit closes every window
    EXPECT_TRUE(keyreel.waitForExit(10000));
    EXPECT_EQ(helpWindow(), nullptr);
    EXPECT_EQ(windowsOfClass(L"KeyreelAboutWindow"), 0);
}

TEST_F(MainWindowE2E, TheTrayMenusAboutHelpAndExitAndAMissingHelpFileIsNamed) {
    ASSERT_NE(open(L""), nullptr);
    chooseTrayItem(3);  // About
    const HWND about = waitForShown(L"KeyreelAboutWindow", 5000);
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(waitForActive(about, 5000));
    ASSERT_TRUE(tapKeys(L"Escape"));
    EXPECT_TRUE(waitFor([] { return windowsOfClass(L"KeyreelAboutWindow") == 0; }, 5000));

    chooseTrayItem(2);  // Help: the contents
    HWND help = nullptr;
    ASSERT_TRUE(
        waitFor([&] { return (help = helpWindow()) != nullptr && helpTab(help) >= 0; }, 15000));
    EXPECT_EQ(helpTab(help), 0) << "the contents";
    // Out of the way of the main window and the tray.
    SetWindowPos(help, nullptr, 640, 480, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    chooseTrayItem(4);  // Exit
    EXPECT_TRUE(keyreel.waitForExit(10000));

    // A copy of the program without its help beside it.
    const std::wstring copy = folder + L"keyreel.exe";
    ASSERT_TRUE(CopyFileW(keyreelExecutable().c_str(), copy.c_str(), FALSE));
    ChildProcess lonely;
    ASSERT_TRUE(
        lonely.start(L"\"" + copy + L"\" \"" + writeMacro(L"one.kyr", "Press_Tab\r\n") + L"\""));
    main = mainWindow();
    ASSERT_TRUE(waitFor([&] { return IsWindowVisible(main) != FALSE; }, 10000));
    chooseMenu(L"h", L"m");
    const HWND box = probe::waitForMessageBox(
        kAppTitle, L"The help file keyreel.chm was not found in the program's folder.", 10000);
    ASSERT_NE(box, nullptr);
    probe::answerMessageBox(box, IDOK);
    EXPECT_TRUE(lonely.running());
    lonely.kill();
    DeleteFileW(copy.c_str());
}

}  // namespace
}  // namespace keyreel::e2e
