// The macro editor created for real under Wine: the Commands list and its
// double click, and the Edit menu with the clipboard.

#include "ui/editor_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/macro/command_table.h"
#include "model_fixture.h"
#include "test_window.h"
#include "ui/editor_menus.h"
#include "win32/send_input.h"
#include "win32/wide_text.h"

namespace keyreel::ui {
namespace {

std::wstring clipboardText() {
    std::wstring text;
    if (!OpenClipboard(nullptr))
        return text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(GlobalLock(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

class EditorWindowTest : public ::testing::Test, protected ModelParts {
  protected:
    void TearDown() override { editor.destroy(); }

    void openInFront() {
        ASSERT_TRUE(editor.open());
        ASSERT_TRUE(probe::waitFor([&] { return GetForegroundWindow() == editor.hwnd(); }));
    }
    HWND text() const { return probe::findChild(editor.hwnd(), L"Edit"); }
    HWND commandsList() const { return probe::findChild(editor.hwnd(), L"ListBox"); }
    HWND findingsList() const {
        return FindWindowExW(editor.hwnd(), commandsList(), L"ListBox", nullptr);
    }
    // Typed as injected input, which goes to this program's focus whichever
    // window the X server gives its keys to.
    static void typeHere(const std::wstring& typed) {
        for (const wchar_t unit : typed) {
            INPUT keys[] = {win32::unicodeInput(unit, false), win32::unicodeInput(unit, true)};
            win32::sendInputs(keys);
        }
    }
    void choose(int command) { SendMessageW(editor.hwnd(), WM_COMMAND, command, 0); }

    EditorWindow editor{files, [this] { model.resetMacroLineCount(); }};
};

TEST_F(EditorWindowTest, OpensEmptyWithTheBuildersWordsAndADoubleClickedWordGoesIn) {
    openInFront();
    EXPECT_EQ(probe::windowText(text()), L"");
    EXPECT_GE(static_cast<DWORD>(SendMessageW(text(), EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEu)
        << "no length limit a user could reach";
    std::vector<std::wstring> words;
    for (const std::string_view word : builderCommandWords())
        words.push_back(win32::toWide(word));
    EXPECT_EQ(probe::listItems(commandsList()), words) << "the builder's words in its order";
    EXPECT_FALSE(IsWindowVisible(findingsList())) << "nothing is checked unasked";

    // The list box tells of the double click itself.
    RECT first{};
    SendMessageW(commandsList(), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    const LPARAM at = MAKELPARAM(first.left + 5, first.top + 3);
    SendMessageW(commandsList(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(commandsList(), WM_LBUTTONUP, 0, at);
    SendMessageW(commandsList(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(commandsList(), WM_LBUTTONUP, 0, at);
    EXPECT_TRUE(probe::windowText(text()).starts_with(words.front())) << "the first word";
}

TEST_F(EditorWindowTest, CutAndCopyAreOfferedOnlyForASelectionAndGoThroughTheClipboard) {
    openInFront();
    SetFocus(text());
    typeHere(L"Wait >1");
    ASSERT_TRUE(probe::waitFor([&] { return probe::windowText(text()) == L"Wait >1"; }));
    const HMENU edit = GetSubMenu(GetMenu(editor.hwnd()), 1);
    const auto offered = [&](int command) {
        SendMessageW(editor.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
        return (GetMenuState(edit, static_cast<UINT>(command), MF_BYCOMMAND) & MF_GRAYED) == 0;
    };
    EXPECT_FALSE(offered(kCutCommand));
    EXPECT_FALSE(offered(kCopyCommand));
    EXPECT_TRUE(offered(kPasteCommand));
    SendMessageW(text(), EM_SETSEL, 0, 4);
    EXPECT_TRUE(offered(kCutCommand));
    EXPECT_TRUE(offered(kCopyCommand));

    choose(kCutCommand);
    EXPECT_EQ(clipboardText(), L"Wait");
    EXPECT_EQ(probe::windowText(text()), L" >1");
    SendMessageW(text(), EM_SETSEL, 0, -1);
    choose(kCopyCommand);
    EXPECT_EQ(clipboardText(), L" >1");
    SendMessageW(text(), EM_SETSEL, 3, 3);
    choose(kPasteCommand);
    EXPECT_EQ(probe::windowText(text()), L" >1 >1");
}

}  // namespace
}  // namespace keyreel::ui
