// The macro editor under Wine: the Commands list and the Edit menu.

#include "ui/editor_window.h"

#include <gtest/gtest.h>

#include <string>

#include "core/macro/command_table.h"
#include "model_fixture.h"
#include "test_window.h"
#include "ui/editor_menus.h"
#include "win32/wide_text.h"

namespace keyreel::ui {
namespace {

class EditorWindowTest : public ::testing::Test, protected ModelParts {
  protected:
    void TearDown() override { editor.destroy(); }

    HWND text() const { return probe::findChild(editor.hwnd(), L"Edit"); }
    HWND commandsList() const { return probe::findChild(editor.hwnd(), L"ListBox"); }
    void choose(int command) { SendMessageW(editor.hwnd(), WM_COMMAND, command, 0); }

    EditorWindow editor{files, [this] { model.resetMacroLineCount(); }};
};

TEST_F(EditorWindowTest, ADoubleClickedWordGoesInAndTheEditMenuWorksTheClipboard) {
    ASSERT_TRUE(editor.open());
    ASSERT_TRUE(probe::waitFor([&] { return GetForegroundWindow() == editor.hwnd(); }));
    EXPECT_EQ(probe::windowText(text()), L"");
    EXPECT_GE(static_cast<DWORD>(SendMessageW(text(), EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEu)
        << "no length limit a user could reach";
    const std::wstring firstWord = win32::toWide(builderCommandWords().front());
    EXPECT_EQ(probe::listItems(commandsList()).front(), firstWord);
    EXPECT_FALSE(IsWindowVisible(FindWindowExW(editor.hwnd(), commandsList(), L"ListBox", nullptr)))
        << "nothing is checked unasked";
    // The list box tells of the double click itself.
    RECT first{};
    SendMessageW(commandsList(), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    const LPARAM at = MAKELPARAM(first.left + 5, first.top + 3);
    for (const UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        SendMessageW(commandsList(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
    EXPECT_TRUE(probe::windowText(text()).starts_with(firstWord));

    SetFocus(text());
    SetWindowTextW(text(), L"Wait >1");
    const HMENU edit = GetSubMenu(GetMenu(editor.hwnd()), 1);
    const auto offered = [&](int command) {
        SendMessageW(editor.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
        return (GetMenuState(edit, static_cast<UINT>(command), MF_BYCOMMAND) & MF_GRAYED) == 0;
    };
    SendMessageW(text(), EM_SETSEL, 0, 0);
    EXPECT_FALSE(offered(kCutCommand) || offered(kCopyCommand));
    EXPECT_TRUE(offered(kPasteCommand));
    SendMessageW(text(), EM_SETSEL, 0, 4);
    EXPECT_TRUE(offered(kCutCommand) && offered(kCopyCommand));
    // Each paste at the end shows what the command before it put on the clipboard.
    choose(kCutCommand);
    SendMessageW(text(), EM_SETSEL, 3, 3);
    choose(kPasteCommand);
    EXPECT_EQ(probe::windowText(text()), L" >1Wait");
    SendMessageW(text(), EM_SETSEL, 0, 3);
    choose(kCopyCommand);
    SendMessageW(text(), EM_SETSEL, 7, 7);
    choose(kPasteCommand);
    EXPECT_EQ(probe::windowText(text()), L" >1Wait >1");
}

}  // namespace
}  // namespace keyreel::ui
