// The macro editor: opened from the tray, the Check, the Open dialog, the unsaved-text question.

#include "e2e_support.h"

namespace keyreel::e2e {
namespace {

class EditorE2E : public KeyreelTest {
  protected:
    // A click on the Commands frame above its list: two clicks on the list would add a word.
    void activateEditor() {
        RECT frame{};
        GetWindowRect(findChild(editor, L"Button", L"Commands"), &frame);
        ASSERT_TRUE(clickAt({(frame.left + frame.right) / 2, frame.top + 6}));
        ASSERT_TRUE(waitForActive(editor, 5000));
    }
    // Types at the end of the text; a line end is Enter, which gives CR LF.
    void typeAtEnd(const std::wstring& typed, const std::wstring& wanted) {
        ASSERT_TRUE(clickOn(text));
        ASSERT_TRUE(waitForFocusIn(text, 5000));
        ASSERT_TRUE(tapKeys(L"ctrl+End"));
        ASSERT_TRUE(typeText(typed));
        ASSERT_TRUE(waitFor([&] { return editorText() == wanted; }, 5000))
            << win32::toUtf8(editorText());
    }
    std::wstring editorText() const { return windowText(text); }
    // From a thread of its own: the answer may wait for a question's; 2 when no answer came.
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
    chooseTrayItem(L"Edit");
    editor = waitForShown(L"KeyreelEditorWindow", 10000);
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(waitFor([&] { return findChild(editor, L"ListBox") != nullptr; }, 5000));
    // Moved off the main window's Command label: beside it, it would be pushed back over it.
    RECT place{};
    GetWindowRect(editor, &place);
    SetWindowPos(editor, nullptr, 0,
                 GetSystemMetrics(SM_CYSCREEN) - (place.bottom - place.top) - 20, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    text = findChild(editor, L"Edit");
    findings = FindWindowExW(editor, findChild(editor, L"ListBox"), L"ListBox", nullptr);
    typeAtEnd(L"Press_enter\nWait>5\nSendText", L"Press_enter\r\nWait>5\r\nSendText");
    activateEditor();
    ASSERT_TRUE(tapKeys(L"F7"));
    // A finding for each line, whose texts the lint's own tests hold.
    ASSERT_TRUE(waitFor([&] { return listItems(findings).size() == 3; }, 5000));
    ASSERT_TRUE(clickListLine(findings, 1));
    EXPECT_TRUE(
        waitFor([&] { return SendMessageW(text, EM_GETSEL, 0, 0) == MAKELRESULT(13, 19); }, 5000))
        << "Wait>5, after Press_enter and its line end";

    activateEditor();
    chooseMenu(L"f", L"o", editor);
    answerFileDialog(L"Open", a);
    answer(L"Save changes to Untitled?", IDNO);
    ASSERT_TRUE(waitFor([&] { return editorText() == L"Wait >1\r\n"; }, 5000));
    EXPECT_EQ(windowText(editor), L"Tobrin's Keyreel: " + a);
    typeAtEnd(L"Press_Tab", L"Wait >1\r\nPress_Tab");
    activateEditor();
    chooseMenu(L"e", L"c", editor);  // Edit > Check
    const std::vector<std::wstring> clean{L"No probable mistakes found."};
    EXPECT_TRUE(waitFor([&] { return listItems(findings) == clean; }, 5000));

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
    // The session's end: Cancel holds it, No lets it come, and with nothing unsaved no question.
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
