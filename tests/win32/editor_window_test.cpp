// The macro editor created for real under Wine: its place and layout, the
// Commands list, the Edit menu with the clipboard, a megabyte macro through
// the real Open and Save As dialogs, a failed save, the Check with its
// findings, and the question before changed text is dropped.

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
#include "win32/wide_text.h"

namespace keyreel::ui {
namespace {

using win32::childOfClass;
using win32::childWithText;
using win32::DialogAnswer;
using win32::pumpUntil;
using win32::wideText;

std::vector<std::wstring> menuCaptions(HMENU menu) {
    std::vector<std::wstring> captions;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t caption[MAX_PATH] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), caption, MAX_PATH, MF_BYPOSITION);
        captions.emplace_back(caption);
    }
    return captions;
}

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
        ASSERT_TRUE(pumpUntil([&] { return GetForegroundWindow() == editor.hwnd(); }));
    }
    HWND text() const { return childOfClass(editor.hwnd(), L"Edit"); }
    HWND commandsList() const { return childOfClass(editor.hwnd(), L"ListBox"); }
    HWND findingsList() const {
        return FindWindowExW(editor.hwnd(), commandsList(), L"ListBox", nullptr);
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
    EXPECT_EQ(wideText(editor.hwnd()), L"Tobrin's Keyreel");
    EXPECT_EQ(wideText(text()), L"");
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
    EXPECT_NE(childWithText(editor.hwnd(), L"Commands"), nullptr);
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
    EXPECT_EQ(menuCaptions(bar), (std::vector<std::wstring>{L"&File", L"&Edit"}));
    EXPECT_EQ(menuCaptions(GetSubMenu(bar, 0)),
              (std::vector<std::wstring>{L"&New", L"&Open...", L"Save &As...", L"&Close/Save", L"",
                                         L"E&xit"}));
    EXPECT_EQ(menuCaptions(GetSubMenu(bar, 1)),
              (std::vector<std::wstring>{L"Cu&t\tCtrl+X", L"C&opy\tCtrl+C", L"&Paste\tCtrl+V", L"",
                                         L"&Check\tF7"}));

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
    win32::typeText(L"Wait >1");
    ASSERT_TRUE(pumpUntil([&] { return wideText(text()) == L"Wait >1"; }));
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
    EXPECT_EQ(wideText(text()), L" >1");
    SendMessageW(text(), EM_SETSEL, 0, -1);
    choose(kCopyCommand);
    EXPECT_EQ(clipboardText(), L" >1");
    SendMessageW(text(), EM_SETSEL, 3, 3);
    choose(kPasteCommand);
    EXPECT_EQ(wideText(text()), L" >1 >1");
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
    EXPECT_EQ(wideText(editor.hwnd()),
              L"Tobrin's Keyreel: " + win32::toWide(folder.file("big.kyr")));
    const HMENU file = GetSubMenu(GetMenu(editor.hwnd()), 0);
    EXPECT_EQ(menuCaptions(file).size(), 8u) << "a separator and the recent file";
    EXPECT_EQ(menuCaptions(file).back(), win32::toWide(folder.file("big.kyr")));

    // Typing at its end still works: the text has no limit a user meets.
    SetFocus(text());
    SendMessageW(text(), EM_SETSEL, big.size(), static_cast<LPARAM>(big.size()));
    win32::typeText(L"Wait >1");
    ASSERT_TRUE(pumpUntil(
        [&] { return static_cast<std::size_t>(GetWindowTextLengthW(text())) == big.size() + 7; }));

    DialogAnswer save(L"Save As", win32::enterFileName(folder.file("copy.kyr")));
    choose(kSaveAsCommand);
    save.finish();
    EXPECT_EQ(folder.read("copy.kyr"), big + "Wait >1\r\n");
    EXPECT_EQ(model.runState().macroLineCount, 3) << "from the main window's list";
}

TEST_F(EditorWindowTest, CheckListsTheFindingsBesideTheTextAndAFindingSelectsItsLine) {
    openInFront();
    RECT before{};
    GetWindowRect(editor.hwnd(), &before);
    const std::string macro = "Press_enter\r\nWait>5\r\nSendText\r\nWait >1\r\n";
    typed(win32::toWide(macro));
    SetFocus(text());
    win32::pressKey(VK_F7);
    ASSERT_TRUE(pumpUntil([&] { return SendMessageW(findingsList(), LB_GETCOUNT, 0, 0) == 3; }));
    EXPECT_TRUE(IsWindowVisible(findingsList()));
    EXPECT_NE(childWithText(editor.hwnd(), L"Check"), nullptr);
    RECT after{};
    GetWindowRect(editor.hwnd(), &after);
    EXPECT_GT(after.right - after.left, before.right - before.left) << "room made for them";
    RECT textPlace{};
    RECT listPlace{};
    GetWindowRect(text(), &textPlace);
    GetWindowRect(findingsList(), &listPlace);
    EXPECT_GE(listPlace.left, textPlace.right) << "beside the text";

    RECT row{};
    SendMessageW(findingsList(), LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    MapWindowPoints(findingsList(), nullptr, reinterpret_cast<POINT*>(&row), 2);
    win32::clickAt({row.left + 10, (row.top + row.bottom) / 2});
    const TextRange line2 = lineRange(macro, 2);
    EXPECT_TRUE(pumpUntil([&] {
        return selection() == std::pair<DWORD, DWORD>(static_cast<DWORD>(line2.start),
                                                      static_cast<DWORD>(line2.end));
    }));
    EXPECT_EQ(wideText(text()), win32::toWide(macro)) << "nothing changes in the text";

    typed(L"Wait >1\r\n");
    choose(kCheckCommand);
    ASSERT_EQ(SendMessageW(findingsList(), LB_GETCOUNT, 0, 0), 1);
    wchar_t only[64] = {};
    SendMessageW(findingsList(), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(only));
    EXPECT_STREQ(only, L"No probable mistakes found.");
}

TEST_F(EditorWindowTest, AFailedSaveIsToldAndKeepsTheEditorItsTextAndTheOldFile) {
    folder.write("held.kyr", "Wait >1\r\n");
    openInFront();
    typed(L"Press_Tab");
    {
        // Another program holds the file open without sharing: the new
        // file cannot take its place.
        const win32::OwnedHandle held(CreateFileW(win32::toWide(folder.file("held.kyr")).c_str(),
                                                  GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                                  FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_NE(held.get(), INVALID_HANDLE_VALUE);
        DialogAnswer save(L"Save As", win32::enterFileName(folder.file("held.kyr")));
        win32::MessageBoxAnswer replace(L"Tobrin's Keyreel", IDYES);
        DialogAnswer told(L"Tobrin's Keyreel", win32::pressButton(IDOK), IDOK);
        choose(kCloseSaveCommand);
        save.finish();
        told.finish();
        EXPECT_EQ(replace.text, L"Overwrite existing file?");
        EXPECT_EQ(told.text, L"Error occurred trying to close file, please retry.");
    }
    EXPECT_TRUE(editor.loaded()) << "Close/Save closes only once saved";
    EXPECT_EQ(wideText(text()), L"Press_Tab");
    EXPECT_EQ(folder.read("held.kyr"), "Wait >1\r\n");
    EXPECT_EQ(folder.entries(), 1u) << "no half-written file left behind";

    // Let go, the same save succeeds and closes the editor.
    DialogAnswer save(L"Save As", win32::enterFileName(folder.file("held.kyr")));
    win32::MessageBoxAnswer replace(L"Tobrin's Keyreel", IDYES);
    choose(kCloseSaveCommand);
    save.finish();
    replace.finish();
    EXPECT_FALSE(editor.loaded());
    EXPECT_EQ(folder.read("held.kyr"), "Press_Tab\r\n");
}

TEST_F(EditorWindowTest, ChangedTextIsDroppedOnlyAfterAskingAndCancelKeepsTheEditor) {
    openInFront();
    typed(L"Wait >1");
    {
        DialogAnswer cancel(L"Tobrin's Keyreel", win32::pressButton(IDCANCEL), IDCANCEL);
        EXPECT_FALSE(editor.unload());
        cancel.finish();
        EXPECT_EQ(cancel.text, L"Save changes to Untitled?");
    }
    EXPECT_TRUE(editor.loaded());
    EXPECT_EQ(wideText(text()), L"Wait >1");
    {
        DialogAnswer no(L"Tobrin's Keyreel", win32::pressButton(IDNO), IDNO);
        PostMessageW(editor.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
        ASSERT_TRUE(pumpUntil([&] { return !editor.loaded(); })) << "the close box, answered No";
    }
    EXPECT_EQ(folder.entries(), 0u) << "nothing saved";

    openInFront();
    EXPECT_EQ(wideText(text()), L"") << "a new editor starts empty";
    EXPECT_EQ(menuCaptions(GetSubMenu(GetMenu(editor.hwnd()), 0)).size(), 6u);
    EXPECT_TRUE(editor.unload()) << "nothing changed: nothing asked";
}

}  // namespace
}  // namespace keyreel::ui
