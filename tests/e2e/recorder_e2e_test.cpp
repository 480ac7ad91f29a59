// The recorder of keyreel.exe driven as a user drives it: opened from its
// menu, recording real X keys, clicks of both buttons and Alt chords in
// notepad, saved through the real Save As dialog and played back into a new
// notepad by a hot key.

#include "e2e_support.h"
#include "win32/wide_text.h"

namespace keyreel::e2e {
namespace {

using Lines = std::vector<std::wstring>;

std::wstring moveLine(POINT at) {
    return L"MouseMove >" + std::to_wstring(at.x) + L"," + std::to_wstring(at.y);
}

// Gives notepad the X keyboard focus as the window manager does when a user
// switches to it: without a click that the recorder would record, and not
// from Windows alone, which may leave the X focus where it was.
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

// Typed, a click before the first letter made as the pointer arrives there
// and leaves at once, a right click that opens and an Escape that closes
// notepad's context menu, one more letter, then Alt+S, R for the Replace
// dialog through the Search menu and Alt+C for its "Match Case": played back
// into a new notepad, the letter lands where the click put the caret, and the
// Alt chords check "Match Case" (played as an Alt tap and a letter, the
// second would not). A real click on "Begin Recording" is not recorded, nor
// the pointer resting on it.
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
    const auto recorded = [&] {
        Lines lines;
        const std::wstring all = windowText(edit);
        for (std::size_t start = 0; start < all.size();) {
            const std::size_t end = all.find(L"\r\n", start);
            lines.push_back(all.substr(start, end - start));
            start = end == std::wstring::npos ? all.size() : end + 2;
        }
        return lines;
    };
    const auto button = [&](const wchar_t* caption) {
        return findChild(recorder, L"Button", caption);
    };
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
        Lines expected{L"Press_Shift", L"SendText >a", L"Release_Shift", L"SendText >b",
                       L"SendText >/", L"Press_Shift", L"SendText >/",   L"Release_Shift"};
        ASSERT_TRUE(waitFor([&] { return recorded() == expected; }, 10000))
            << testing::PrintToString(recorded());
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
        ASSERT_TRUE(waitFor([&] { return recorded().back() == L"RUp"; }, 10000))
            << testing::PrintToString(recorded());
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
        expected.insert(expected.end(),
                        {moveLine(start), L"LDown", L"LUp", moveLine(away), L"RDown", L"RUp",
                         L"Press_ESC", L"SendText >x", L"ALT_Down", L"SendText >s", L"ALT_Up",
                         L"SendText >r", L"ALT_Down", L"SendText >c", L"ALT_Up"});
        ASSERT_TRUE(waitFor([&] { return recorded() == expected; }, 10000))
            << testing::PrintToString(recorded());
        // Without the mouse: the Replace dialog may lie over the button.
        ASSERT_TRUE(clickButton(recorder, L"Stop Recording"));
        ASSERT_TRUE(waitFor([&] { return button(L"Begin Recording") != nullptr; }, 5000));
        EXPECT_EQ(recorded(), expected);
    }

    // File > Sa&ve, then E&xit, which asks nothing once saved; the recorder
    // activated by a click into its text first.
    for (const wchar_t* item : {L"v", L"x"}) {
        ASSERT_TRUE(clickOn(edit));
        ASSERT_TRUE(waitForActive(recorder, 5000));
        ASSERT_TRUE(tapKeys(L"alt+f"));
        ASSERT_TRUE(waitForMenu(recorder, 5000)) << "no menu";
        const std::string buffer = win32::toUtf8(windowText(edit));
        ASSERT_TRUE(tapKeys(item));
        if (item == std::wstring(L"v")) {
            answerFileDialog(L"Save As", L"recorded.kyr");
            ASSERT_TRUE(waitFor([&] { return fileBytes(saved) == buffer + "\r\n"; }, 5000))
                << "the buffer and one CR LF";
        }
    }
    ASSERT_TRUE(waitFor([&] { return !IsWindow(recorder); }, 5000));
    // Into a notepad that has not shown its Replace dialog yet. Notepad takes
    // its modifier keys from X at X's focus and pointer events, which a key
    // typed through X comes after: they cannot let go the play's Shift.
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
