// The macro editor of keyreel.exe driven as a user drives it: opened from the
// tray, the Check, a file opened through the real dialog, and the question
// before changed text goes, at the exits of the program and at the end of the
// session.

#include <future>

#include "e2e_support.h"
#include "win32/wide_text.h"

namespace keyreel::e2e {
namespace {

class EditorE2E : public KeyreelTest {
  protected:
    // The tray's Edit; waits for the editor and moves it to the bottom left,
    // off the main window's Command label: wider than the room beside the
    // main window, it would be pushed back over it.
    void openEditor() {
        chooseTrayItem(L"Edit");
        editor = waitForShown(L"KeyreelEditorWindow", 10000);
        ASSERT_NE(editor, nullptr);
        ASSERT_TRUE(waitFor([&] { return findChild(editor, L"ListBox") != nullptr; }, 5000));
        RECT place{};
        GetWindowRect(editor, &place);
        SetWindowPos(editor, nullptr, 0,
                     GetSystemMetrics(SM_CYSCREEN) - (place.bottom - place.top) - 20, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER);
        text = findChild(editor, L"Edit");
        findings = FindWindowExW(editor, findChild(editor, L"ListBox"), L"ListBox", nullptr);
    }
    // A click on the Commands frame above its list, which does nothing else:
    // the middle of the frame is the list, where two such clicks in a row
    // would be a double click that adds a word.
    void activateEditor() {
        RECT frame{};
        GetWindowRect(findChild(editor, L"Button", L"Commands"), &frame);
        ASSERT_TRUE(clickAt({(frame.left + frame.right) / 2, frame.top + 6}));
        ASSERT_TRUE(waitForActive(editor, 5000));
    }
    void editorMenu(const wchar_t* menuKey, const wchar_t* itemKeys) {
        activateEditor();
        ASSERT_TRUE(tapKeys(std::wstring(L"alt+") + menuKey));
        ASSERT_TRUE(waitForMenu(editor, 5000)) << "no menu";
        ASSERT_TRUE(tapKeys(itemKeys));
    }
    // Types at the end of the text; a line end is Enter.
    void typeAtEnd(const std::wstring& typed) {
        ASSERT_TRUE(clickOn(text));
        ASSERT_TRUE(waitForFocusIn(text, 5000));
        ASSERT_TRUE(tapKeys(L"ctrl+End"));
        std::wstring wanted = editorText();
        for (const wchar_t c : typed)
            wanted += c == L'\n' ? L"\r\n" : std::wstring(1, c);
        ASSERT_TRUE(typeText(typed));
        ASSERT_TRUE(waitFor([&] { return editorText() == wanted; }, 5000))
            << win32::toUtf8(editorText());
    }
    std::wstring editorText() const { return windowText(text); }
    // The question with this text, answered with its button. A real click
    // could come before X shows the box and land on the window beneath.
    void answer(const std::wstring& question, int button) {
        const HWND box = waitForDialog(kAppTitle, 10000, question);
        ASSERT_NE(box, nullptr) << win32::toUtf8(question);
        answerMessageBox(box, button);
        ASSERT_TRUE(waitFor([&] { return !IsWindow(box); }, 5000));
    }
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

    HWND editor = nullptr;
    HWND text = nullptr;
    HWND findings = nullptr;
};

TEST_F(EditorE2E, ChecksOpensAndAsksBeforeChangedTextGoesAtTheExitsAndTheSessionsEnd) {
    const std::wstring a = writeMacro(L"a.kyr", "Wait >1\r\n");
    ASSERT_NE(open(L""), nullptr);
    openEditor();
    typeAtEnd(L"Press_enter\nWait>5\nSendText");
    activateEditor();
    ASSERT_TRUE(tapKeys(L"F7"));
    const std::vector<std::wstring> rows{
        L"Line 1: 'Press_enter' is no command word; did you mean 'Press_Enter'?",
        L"Line 2: 'Wait>5' is no command word: write 'Wait >5'",
        L"Line 3: 'SendText' has no '>' value: it will use the whole line 'SendText' as its "
        L"value"};
    ASSERT_TRUE(waitFor([&] { return listItems(findings) == rows; }, 5000));
    ASSERT_TRUE(clickListLine(findings, 1));
    EXPECT_TRUE(
        waitFor([&] { return SendMessageW(text, EM_GETSEL, 0, 0) == MAKELRESULT(13, 19); }, 5000))
        << "Wait>5, after Press_enter and its line end";

    editorMenu(L"f", L"o");
    answerFileDialog(L"Open", a);
    answer(L"Save changes to Untitled?", IDNO);
    ASSERT_TRUE(waitFor([&] { return editorText() == L"Wait >1\r\n"; }, 5000));
    EXPECT_EQ(windowText(editor), L"Tobrin's Keyreel: " + a);
    typeAtEnd(L"Press_Tab");
    editorMenu(L"e", L"c");  // Edit > Check
    EXPECT_TRUE(waitFor(
        [&] {
            return listItems(findings) == std::vector<std::wstring>{L"No probable mistakes found."};
        },
        5000));

    // Each way out asks about the changed text; Cancel keeps it.
    const std::wstring question = L"Save changes to " + a + L"?";
    chooseTrayItem(L"Exit");
    answer(question, IDCANCEL);
    activate();
    ASSERT_TRUE(tapKeys(L"alt+d"));  // Hide unloads the editor
    answer(question, IDCANCEL);
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(main); }, 5000)) << "hidden all the same";
    EXPECT_TRUE(keyreel.running());
    EXPECT_TRUE(IsWindow(editor) && IsWindowVisible(editor));
    EXPECT_EQ(editorText(), L"Wait >1\r\nPress_Tab");
    // The end of the session, as a sign-out asks it: Cancel holds it, No
    // lets it come, and with nothing unsaved there is no question.
    std::future<LRESULT> query = queryEndSession();
    answer(question, IDCANCEL);
    EXPECT_EQ(query.get(), FALSE);
    query = queryEndSession();
    answer(question, IDNO);
    EXPECT_EQ(query.get(), TRUE);
    EXPECT_EQ(queryEndSession().get(), TRUE);
    SendMessageTimeoutW(main, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000, nullptr);
    EXPECT_TRUE(keyreel.waitForExit(10000));
}

}  // namespace
}  // namespace keyreel::e2e
