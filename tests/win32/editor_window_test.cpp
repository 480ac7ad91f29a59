// The macro editor created for real under Wine: its place and layout, the
// Commands list, the Edit menu with the clipboard, and a megabyte macro
// through the real Open and Save As dialogs.

#include "ui/editor_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/editor/check_list.h"
#include "core/macro/command_table.h"
#include "dialog_answer.h"
#include "model_fixture.h"
#include "test_window.h"
#include "ui/editor_menus.h"
#include "win32/owned.h"
#include "win32/send_input.h"
#include "win32/wide_text.h"

namespace keyreel::ui {
namespace {

using win32::DialogAnswer;

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
    // Text as the user leaves it after typing.
    void typed(const std::wstring& content) {
        SetWindowTextW(text(), content.c_str());
        SendMessageW(text(), EM_SETMODIFY, TRUE, 0);
    }
    void choose(int command) { SendMessageW(editor.hwnd(), WM_COMMAND, command, 0); }
    std::pair<DWORD, DWORD> selection() const {
        DWORD start = 0;
        DWORD end = 0;
        SendMessageW(text(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }

    EditorWindow editor{files, [this] { model.resetMacroLineCount(); }};
};

TEST_F(EditorWindowTest, OpensEmptyAndCentredWithTheBuildersWords) {
    openInFront();
    EXPECT_EQ(probe::windowText(editor.hwnd()), L"Tobrin's Keyreel");
    EXPECT_EQ(probe::windowText(text()), L"");
    std::vector<std::wstring> words;
    for (const std::string_view word : builderCommandWords())
        words.push_back(win32::toWide(word));
    std::vector<std::wstring> listed;
    for (LRESULT i = 0; i < SendMessageW(commandsList(), LB_GETCOUNT, 0, 0); ++i) {
        wchar_t item[64] = {};
        SendMessageW(commandsList(), LB_GETTEXT, i, reinterpret_cast<LPARAM>(item));
        listed.emplace_back(item);
    }
    EXPECT_EQ(listed, words) << "the builder's words in the builder's order";
    EXPECT_NE(probe::findChild(editor.hwnd(), L"", L"Commands"), nullptr);
    EXPECT_FALSE(IsWindowVisible(findingsList())) << "nothing is checked unasked";

    RECT frame{};
    GetWindowRect(editor.hwnd(), &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(editor.hwnd(), MONITOR_DEFAULTTONEAREST), &monitor);
    EXPECT_LE(std::abs(frame.left - monitor.rcWork.left -
                       (monitor.rcWork.right - monitor.rcWork.left - frame.right + frame.left) / 2),
              1);
    EXPECT_LE(std::abs(frame.top - monitor.rcWork.top -
                       (monitor.rcWork.bottom - monitor.rcWork.top - frame.bottom + frame.top) / 2),
              1);

    const HMENU bar = GetMenu(editor.hwnd());
    EXPECT_EQ(probe::menuCaptions(bar), (std::vector<std::wstring>{L"&File", L"&Edit"}));

    const HWND first = editor.hwnd();
    ASSERT_TRUE(editor.open());
    EXPECT_EQ(editor.hwnd(), first) << "an open editor comes to the front as it is";
}

TEST_F(EditorWindowTest, TheTextTakesTheInnerAreaBesideTheCommandsAsTheWindowResizes) {
    openInFront();
    for (const SIZE size : {SIZE{900, 640}, SIZE{520, 300}}) {
        SetWindowPos(editor.hwnd(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        RECT client{};
        GetClientRect(editor.hwnd(), &client);
        RECT placed{};
        GetWindowRect(text(), &placed);
        MapWindowPoints(nullptr, editor.hwnd(), reinterpret_cast<POINT*>(&placed), 2);
        EXPECT_EQ(placed.left, 0);
        EXPECT_EQ(placed.top, 0);
        EXPECT_EQ(placed.bottom, client.bottom) << size.cx;
        EXPECT_EQ(placed.right, client.right - editor.toPixels(2400)) << size.cx;
        RECT list{};
        GetWindowRect(commandsList(), &list);
        MapWindowPoints(nullptr, editor.hwnd(), reinterpret_cast<POINT*>(&list), 2);
        EXPECT_GT(list.left, placed.right);
        EXPECT_LT(list.right, client.right);
    }
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

TEST_F(EditorWindowTest, AMegabyteMacroOpensAndSavesWholeThroughTheDialogs) {
    std::string big;
    for (int line = 0; big.size() < 1024 * 1024; ++line)
        big += "SendText >line " + std::to_string(line) + " of a long macro\r\n";
    folder.write("big.kyr", big);
    folder.write("list.kyr", "Wait >1\r\nPress_Tab\r\nPress_Enter\r\n");
    ASSERT_EQ(model.loadList(folder.file("list.kyr")), MacroFileRead::Read);
    model.runState().macroLineCount = 0;
    openInFront();

    DialogAnswer open(L"Open", win32::enterFileName(folder.file("big.kyr")));
    choose(kOpenCommand);
    open.finish();
    EXPECT_EQ(open.selectedType, 1) << "the macro files preselected";
    EXPECT_EQ(static_cast<std::size_t>(GetWindowTextLengthW(text())), big.size());
    EXPECT_EQ(probe::windowText(editor.hwnd()),
              L"Tobrin's Keyreel: " + win32::toWide(folder.file("big.kyr")));

    // Typing at its end still works: the text has no limit a user meets.
    SetFocus(text());
    SendMessageW(text(), EM_SETSEL, big.size(), static_cast<LPARAM>(big.size()));
    typeHere(L"Wait >1");
    ASSERT_TRUE(probe::waitFor(
        [&] { return static_cast<std::size_t>(GetWindowTextLengthW(text())) == big.size() + 7; }));

    DialogAnswer save(L"Save As", win32::enterFileName(folder.file("copy.kyr")));
    choose(kSaveAsCommand);
    save.finish();
    EXPECT_EQ(folder.read("copy.kyr"), big + "Wait >1\r\n");
    EXPECT_EQ(model.runState().macroLineCount, 3) << "from the main window's list";
}

}  // namespace
}  // namespace keyreel::ui
