// The recorder: real X keys, clicks and Alt chords in notepad, saved, played back by a hot key.

#include "e2e_support.h"

namespace keyreel::e2e {
namespace {

std::wstring moveLine(POINT at) {
    return L"MouseMove >" + std::to_wstring(at.x) + L"," + std::to_wstring(at.y) + L"\r\n";
}

// Through the window manager: a click would be recorded; Windows alone may leave the X focus.
void giveKeyboardToNotepad() {
    ASSERT_TRUE(runUnixProgramToEnd(
        L"/usr/bin/xdotool search --name \"^Untitled - Notepad$\" windowactivate"));
    ASSERT_TRUE(waitFor(
        [&] {
            const HWND frame = findWindow(L"Untitled - Notepad");
            return frame != nullptr && GetForegroundWindow() == frame &&
                   IsChild(frame, focusOfThread(frame));
        },
        5000));
}

// Wine's notepad below the recorder, which stays reachable for its menus.
void placeNotepad(TypingTarget& notepad) {
    ASSERT_TRUE(notepad.open(true));
    SetWindowPos(findWindow(L"Untitled - Notepad"), HWND_TOP, 0, 680, 1280, 340, 0);
    giveKeyboardToNotepad();
}

bool matchCaseChecked(HWND replace) {
    const HWND box = findChild(replace, L"Button", L"Match &Case");
    return box != nullptr && SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// A click before the first letter as the pointer passes, a right click and Escape for a context
// menu, Alt+S, R for Replace and Alt+C for "Match Case": played back, a letter lands at the click
// and the chords check "Match Case" (an Alt tap and a letter would not).
TEST_F(KeyreelTest, TheRecorderRecordsKeysClicksAndAltChordsAndTheyPlayBackIntoNotepad) {
    const std::wstring saved = folder + L"recorded.kyr";
    DeleteFileW(saved.c_str());
    setSetting("hotkey", "ALT", "0");  // bare F2 plays the recording
    setSetting("hotkey", "F2", "1");
    setSetting("hKeyLoc", "F2", win32::toUtf8(saved).c_str());
    ASSERT_NE(open(L"\"" + writeMacro(L"one.kyr", "Press_Tab\r\n") + L"\""), nullptr);
    // Where it opens: moved, it would reach its new place on the display late.
    chooseMenu(L"b", L"r");
    const HWND recorder = waitForShown(L"KeyreelRecorderWindow", 10000);
    ASSERT_NE(recorder, nullptr) << "no recorder";
    const HWND edit = waitForWindowThat([&] { return findChild(recorder, L"Edit"); }, 5000);
    const auto recorded = [&] { return windowText(edit); };
    const auto button = [&](auto text) { return findChild(recorder, L"Button", text); };
    POINT start{};
    const POINT away{900, 900};
    {
        TypingTarget notepad;
        placeNotepad(notepad);
        ASSERT_TRUE(clickOn(button(L"Begin Recording")));
        ASSERT_TRUE(waitFor([&] { return button(L"Stop Recording") != nullptr; }, 5000));
        giveKeyboardToNotepad();
        ASSERT_TRUE(
            runUnixProgramToEnd(L"/bin/sh -c \"xdotool keydown shift key a keyup shift "
                                L"key b key slash keydown shift key slash keyup shift\""));
        std::wstring expected =
            L"Press_Shift\r\nSendText >a\r\nRelease_Shift\r\nSendText >b\r\nSendText >/\r\n"
            L"Press_Shift\r\nSendText >/\r\nRelease_Shift\r\n";
        ASSERT_TRUE(waitFor([&] { return recorded() == expected; }, 10000))
            << win32::toUtf8(recorded());
        ASSERT_TRUE(waitFor([&] { return notepad.text() == L"Ab/?"; }, 5000));
        // Just inside the first character of the text.
        const HWND text = findChild(findWindow(L"Untitled - Notepad"), L"Edit");
        const auto at = static_cast<DWORD>(SendMessageW(text, EM_POSFROMCHAR, 0, 0));
        start = {static_cast<short>(LOWORD(at)) + 2, static_cast<short>(HIWORD(at)) + 5};
        ClientToScreen(text, &start);
        ASSERT_TRUE(runUnixProgramToEnd(L"/usr/bin/xdotool mousemove " + std::to_wstring(start.x) +
                                        L" " + std::to_wstring(start.y) + L" click 1 mousemove " +
                                        std::to_wstring(away.x) + L" " + std::to_wstring(away.y) +
                                        L" click 3"));
        ASSERT_TRUE(waitFor([&] { return recorded().ends_with(L"RUp\r\n"); }, 10000))
            << win32::toUtf8(recorded());
        ASSERT_TRUE(tapKeys(L"Escape"));
        ASSERT_TRUE(typeText(L"x"));
        ASSERT_TRUE(waitFor([&] { return notepad.text() == L"xAb/?"; }, 5000))
            << win32::toUtf8(notepad.text());
        ASSERT_TRUE(tapKeys(L"alt+s"));
        ASSERT_TRUE(waitForMenu(findWindow(L"Untitled - Notepad"), 5000));
        ASSERT_TRUE(tapKeys(L"r"));
        const HWND replace = waitForDialog(L"Replace", 10000);
        ASSERT_NE(replace, nullptr) << "no Replace dialog while recording";
        ASSERT_TRUE(tapKeys(L"alt+c"));
        ASSERT_TRUE(waitFor([&] { return matchCaseChecked(replace); }, 5000));
        expected += moveLine(start) + L"LDown\r\nLUp\r\n" + moveLine(away) +
                    L"RDown\r\nRUp\r\nPress_ESC\r\nSendText >x\r\nALT_Down\r\nSendText >s\r\n"
                    L"ALT_Up\r\nSendText >r\r\nALT_Down\r\nSendText >c\r\nALT_Up\r\n";
        ASSERT_TRUE(waitFor([&] { return recorded() == expected; }, 10000))
            << win32::toUtf8(recorded());
        // Without the mouse: the Replace dialog may lie over the button.
        ASSERT_TRUE(clickButton(recorder, L"Stop Recording"));
        ASSERT_TRUE(waitFor([&] { return button(L"Begin Recording") != nullptr; }, 5000));
        EXPECT_EQ(recorded(), expected);
    }

    // File > Sa&ve, then E&xit, which asks nothing once saved; activated by a click into the text.
    const std::string buffer = win32::toUtf8(windowText(edit));
    for (const wchar_t* item : {L"v", L"x"}) {
        ASSERT_TRUE(clickOn(edit));
        ASSERT_TRUE(waitForActive(recorder, 5000));
        chooseMenu(L"f", item, recorder);
        if (item == std::wstring(L"v"))
            answerFileDialog(L"Save As", L"recorded.kyr");
    }
    ASSERT_TRUE(waitFor([&] { return !IsWindow(recorder); }, 5000));
    EXPECT_EQ(fileBytes(saved), buffer + "\r\n") << "the buffer and one CR LF";
    // A key typed through X first: notepad's reading of X's modifiers cannot drop the play's Shift.
    TypingTarget notepad;
    placeNotepad(notepad);
    ASSERT_TRUE(movePointerTo(away.x, away.y));
    ASSERT_TRUE(typeText(L"x"));
    ASSERT_TRUE(waitFor([&] { return notepad.text() == L"x"; }, 5000));
    ASSERT_TRUE(tapKeys(L"BackSpace"));
    ASSERT_TRUE(waitFor([&] { return notepad.text().empty(); }, 5000));
    ASSERT_TRUE(tapKeys(L"F2"));
    const HWND replace = waitForDialog(L"Replace", 20000);
    ASSERT_NE(replace, nullptr) << "the play opened no Replace dialog; it played "
                                << fileBytes(saved);
    EXPECT_TRUE(waitForTitle(kIdleTitle, 10000));
    EXPECT_TRUE(matchCaseChecked(replace)) << "it played " << fileBytes(saved);
    EXPECT_EQ(notepad.text(), L"xAb/?");
}

}  // namespace
}  // namespace keyreel::e2e
