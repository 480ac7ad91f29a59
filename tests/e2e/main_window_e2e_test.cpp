// The main window of keyreel.exe driven as a user drives it: the builder with
// the mouse and the keyboard, the real Save As and Open dialogs, the menus by
// their access keys, the tray menu, the about box, the help and the pointer
// tracker.

#include "main_window_fixture.h"
#include "win32/wide_text.h"

namespace keyreel::e2e {
namespace {

TEST_F(MainWindowE2E, BuildsAMacroSavesItLoadsItBackAndRunsItIntoNotepad) {
    ASSERT_NE(open(L""), nullptr);
    addLine(4, L"WaitForWindow", L"Untitled - Notepad", AddWith::Enter);
    addLine(6, L"SetFocus", L"Untitled - Notepad", AddWith::Button);
    addLine(7, L"SendText", L"built", AddWith::Button);
    addLine(14, L"Press_Enter", L"dropped", AddWith::Button);
    addLine(7, L"SendText", L"extra", AddWith::Enter);
    addLine(7, L"SendText", L"done", AddWith::Enter);
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
    ASSERT_TRUE(waitForTitle(kPlayingTitle, 20000));
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
    chooseTrayItem(L"About");
    const HWND about = waitForShown(L"KeyreelAboutWindow", 5000);
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(waitForActive(about, 5000));
    ASSERT_TRUE(tapKeys(L"Escape"));
    EXPECT_TRUE(waitFor([] { return windowsOfClass(L"KeyreelAboutWindow") == 0; }, 5000));

    chooseTrayItem(L"Help");  // the contents
    HWND help = nullptr;
    ASSERT_TRUE(
        waitFor([&] { return (help = helpWindow()) != nullptr && helpTab(help) >= 0; }, 15000));
    EXPECT_EQ(helpTab(help), 0) << "the contents";
    // Out of the way of the main window and the tray.
    SetWindowPos(help, nullptr, 640, 480, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    chooseTrayItem(L"Exit");
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
