// The macro editor of keyreel.exe driven as a user drives it: opened from
// the Build menu and the tray, words double-clicked in, files opened and
// saved through the real dialogs, the File menu's recent entries, the Check,
// and the question before changed text goes, at every exit and at the end of
// the session.

#include <future>

#include "main_window_fixture.h"
#include "win32/wide_text.h"

namespace keyreel::e2e {
namespace {

class EditorE2E : public MainWindowE2E {
  protected:
    // Build > Edit, or the tray's Edit; waits for the editor and moves it
    // beside the main window, whose menus stay within reach.
    void openEditor(bool fromTray = false) {
        if (fromTray)
            chooseTrayItem(L"Edit");
        else
            chooseMenu(L"b", L"e");
        editor = waitForShown(L"KeyreelEditorWindow", 10000);
        ASSERT_NE(editor, nullptr);
        ASSERT_TRUE(waitFor([&] { return probe::findChild(editor, L"ListBox") != nullptr; }, 5000));
        SetWindowPos(editor, nullptr, 600, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        text = probe::findChild(editor, L"Edit");
        commands = probe::findChild(editor, L"ListBox");
        findings = FindWindowExW(editor, commands, L"ListBox", nullptr);
    }
    // A click on the Commands frame above its list, which does nothing else:
    // the middle of the frame is the list, where two such clicks in a row
    // would be a double click that adds a word.
    void activateEditor() {
        RECT frame{};
        GetWindowRect(probe::findChild(editor, L"Button", L"Commands"), &frame);
        ASSERT_TRUE(clickAt({(frame.left + frame.right) / 2, frame.top + 6}));
        ASSERT_TRUE(waitForActive(editor, 5000));
    }
    void openEditorMenu(const wchar_t* menuKey) {
        activateEditor();
        ASSERT_TRUE(tapKeys(std::wstring(L"alt+") + menuKey));
        ASSERT_TRUE(waitForMenu(editor, 5000)) << "no menu";
    }
    void editorMenu(const wchar_t* menuKey, const wchar_t* itemKeys) {
        openEditorMenu(menuKey);
        ASSERT_TRUE(tapKeys(itemKeys));
    }
    // Types at the end of the text, line by line, Enter between the lines.
    void typeLines(const std::vector<std::wstring>& lines) {
        ASSERT_TRUE(clickOn(text));
        ASSERT_TRUE(waitForFocusIn(text, 5000));
        ASSERT_TRUE(tapKeys(L"ctrl+End"));
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::wstring before = editorText();
            if (i > 0) {
                ASSERT_TRUE(tapKeys(L"Return"));
            }
            ASSERT_TRUE(typeText(lines[i]));
            ASSERT_TRUE(waitFor(
                [&] {
                    return editorText().size() == before.size() + lines[i].size() + (i > 0 ? 2 : 0);
                },
                5000))
                << win32::toUtf8(editorText());
        }
    }
    std::wstring editorText() const { return probe::windowText(text); }
    // The question with this text, answered with its button. A real click
    // could come before X shows the box and land on the window beneath.
    void answer(const std::wstring& question, int button) {
        const HWND box = probe::waitForMessageBox(kAppTitle, question, 10000);
        ASSERT_NE(box, nullptr) << win32::toUtf8(question);
        probe::answerMessageBox(box, button);
        ASSERT_TRUE(waitFor([&] { return !IsWindow(box); }, 5000));
    }
    bool editorOpen() const { return IsWindow(editor) && IsWindowVisible(editor); }
    // The system's query before a sign-out, sent to the main window from a
    // thread of its own: the answer may wait for a question to be answered.
    // TRUE lets the session end; 2 when no answer came.
    std::future<LRESULT> queryEndSession() {
        return std::async(std::launch::async, [window = main] {
            DWORD_PTR answer = 2;
            SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL,
                                30000, &answer);
            return static_cast<LRESULT>(answer);
        });
    }
    // The File menu's height on the screen, which grows with its entries.
    int fileMenuHeight() {
        openEditorMenu(L"f");
        RECT menu{};
        GetWindowRect(FindWindowW(L"#32768", nullptr), &menu);
        EXPECT_TRUE(tapKeys(L"Escape Escape"));
        EXPECT_TRUE(waitFor([] { return windowsOfClass(L"#32768") == 0; }, 5000));
        return menu.bottom - menu.top;
    }
    std::pair<DWORD, DWORD> selection() const {
        const auto packed = static_cast<DWORD>(SendMessageW(text, EM_GETSEL, 0, 0));
        return {LOWORD(packed), HIWORD(packed)};
    }

    HWND editor = nullptr;
    HWND text = nullptr;
    HWND commands = nullptr;
    HWND findings = nullptr;
};

TEST_F(EditorE2E, ADoubleClickedWordGoesToTheEndAndTheCloseBoxClosesTheEditorOnly) {
    ASSERT_NE(open(L""), nullptr);
    openEditor(true);
    EXPECT_EQ(probe::windowText(editor), kAppTitle);
    typeLines({L"Press_Enter"});
    ASSERT_TRUE(clickListLine(commands, 3, 2));  // Wait
    ASSERT_TRUE(waitFor([&] { return editorText() == L"Press_EnterWait >\r\n"; }, 5000))
        << win32::toUtf8(editorText());

    // The close box asks about the changed text; Cancel keeps it.
    activateEditor();
    ASSERT_TRUE(tapKeys(L"alt+F4"));
    answer(L"Save changes to Untitled?", IDCANCEL);
    EXPECT_TRUE(editorOpen());
    EXPECT_EQ(editorText(), L"Press_EnterWait >\r\n");
    activateEditor();
    ASSERT_TRUE(tapKeys(L"alt+F4"));
    answer(L"Save changes to Untitled?", IDNO);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(editor); }, 5000));
    EXPECT_TRUE(keyreel.running()) << "the program goes on";
    EXPECT_NE(waitForTrayIcon(5000), nullptr);
    EXPECT_TRUE(IsWindowVisible(main));
}

TEST_F(EditorE2E, CheckListsEachFindingWithItsLineAndChoosingOneSelectsIt) {
    ASSERT_NE(open(L""), nullptr);
    openEditor();
    typeLines({L"Press_enter", L"Wait>5", L"SendText"});
    activateEditor();
    ASSERT_TRUE(tapKeys(L"F7"));
    const std::vector<std::wstring> rows{
        L"Line 1: 'Press_enter' is no command word; did you mean 'Press_Enter'?",
        L"Line 2: 'Wait>5' is no command word: write 'Wait >5'",
        L"Line 3: 'SendText' has no '>' value: it will use the whole line 'SendText' as its "
        L"value"};
    ASSERT_TRUE(waitFor([&] { return probe::listItems(findings) == rows; }, 5000));
    EXPECT_TRUE(IsWindowVisible(findings));
    ASSERT_TRUE(clickListLine(findings, 1));
    EXPECT_TRUE(waitFor([&] { return selection() == std::pair<DWORD, DWORD>(13, 19); }, 5000))
        << "Wait>5, after Press_enter and its line end";

    // New asks about the changed text: Cancel keeps it, No drops it.
    editorMenu(L"f", L"n");
    answer(L"Save changes to Untitled?", IDCANCEL);
    EXPECT_EQ(editorText(), L"Press_enter\r\nWait>5\r\nSendText");
    editorMenu(L"f", L"n");
    answer(L"Save changes to Untitled?", IDNO);
    ASSERT_TRUE(waitFor([&] { return editorText().empty(); }, 5000));
    EXPECT_EQ(probe::windowText(editor), L"Tobrin's Keyreel: Untitled");

    typeLines({L"Wait >1"});
    editorMenu(L"e", L"c");  // Edit > Check
    EXPECT_TRUE(waitFor(
        [&] {
            return probe::listItems(findings) ==
                   std::vector<std::wstring>{L"No probable mistakes found."};
        },
        5000));
}

TEST_F(EditorE2E, OpenKeepsTheOpenFileAndTheRecentEntriesAndSaveAsAsksBeforeReplacing) {
    const std::wstring a = writeMacro(L"a.kyr", "Wait >1\r\n");
    const std::wstring b = writeMacro(L"b.kyr", "Press_Tab\r\n");
    ASSERT_NE(open(L""), nullptr);
    openEditor();
    const int bare = fileMenuHeight();

    editorMenu(L"f", L"o");
    answerFileDialog(L"Open", a);
    ASSERT_TRUE(waitFor([&] { return editorText() == L"Wait >1\r\n"; }, 5000));
    EXPECT_EQ(probe::windowText(editor), L"Tobrin's Keyreel: " + a);
    const int one = fileMenuHeight();
    typeLines({L"Press_Tab"});
    // The file open already is not read again, changed as it is.
    editorMenu(L"f", L"o");
    answerFileDialog(L"Open", a);
    EXPECT_EQ(editorText(), L"Wait >1\r\nPress_Tab");
    EXPECT_EQ(probe::findMessageBox(kAppTitle, L"Save changes"), nullptr);

    editorMenu(L"f", L"o");
    answerFileDialog(L"Open", b);
    answer(L"Save changes to " + a + L"?", IDNO);
    ASSERT_TRUE(waitFor([&] { return editorText() == L"Press_Tab\r\n"; }, 5000));
    const int two = fileMenuHeight();
    // The first recent entry, a.kyr, from the keyboard: Up from the first
    // item goes round to the last ones.
    editorMenu(L"f", L"Up Up Return");
    ASSERT_TRUE(waitFor([&] { return editorText() == L"Wait >1\r\n"; }, 5000));
    EXPECT_EQ(fileMenuHeight(), two) << "opened again: no new entry";
    EXPECT_GT(one, bare) << "a separator and the first entry";
    EXPECT_GT(two, one) << "the second entry";
    EXPECT_LT(two - one, one - bare) << "one entry, without a second separator";

    editorMenu(L"f", L"a");  // Save As onto b.kyr, answered No
    answerFileDialog(L"Save As", b);
    answer(L"Overwrite existing file?", IDNO);
    EXPECT_EQ(fileBytes(b), "Press_Tab\r\n");
    EXPECT_EQ(fileBytes(a), "Wait >1\r\n");
}

TEST_F(EditorE2E, EveryExitOfTheProgramAsksAboutChangedTextAndCancelKeepsIt) {
    ASSERT_NE(open(L""), nullptr);
    openEditor();
    typeLines({L"Wait >2"});
    chooseTrayItem(L"Exit");
    answer(L"Save changes to Untitled?", IDCANCEL);
    chooseMenu(L"f", L"x");  // the main window's File > Exit
    answer(L"Save changes to Untitled?", IDCANCEL);
    activate();
    ASSERT_TRUE(tapKeys(L"alt+F4"));  // the main window's close box
    answer(L"Save changes to Untitled?", IDCANCEL);
    activate();
    ASSERT_TRUE(tapKeys(L"alt+d"));  // Hide unloads the editor
    answer(L"Save changes to Untitled?", IDCANCEL);
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(main); }, 5000)) << "hidden all the same";
    EXPECT_TRUE(keyreel.running());
    EXPECT_TRUE(editorOpen());
    EXPECT_EQ(editorText(), L"Wait >2");

    // The end of the session, as a sign-out asks it: Cancel holds it, No
    // lets it come, and with nothing unsaved there is no question.
    std::future<LRESULT> query = queryEndSession();
    answer(L"Save changes to Untitled?", IDCANCEL);
    EXPECT_EQ(query.get(), FALSE);
    EXPECT_TRUE(editorOpen());
    EXPECT_EQ(editorText(), L"Wait >2");
    query = queryEndSession();
    answer(L"Save changes to Untitled?", IDNO);
    EXPECT_EQ(query.get(), TRUE);
    EXPECT_EQ(queryEndSession().get(), TRUE);
    SendMessageTimeoutW(main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000, nullptr);
    EXPECT_TRUE(keyreel.waitForExit(10000));
}

}  // namespace
}  // namespace keyreel::e2e
