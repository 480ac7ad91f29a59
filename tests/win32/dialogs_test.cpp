// The file dialogs and the help viewer, shown for real under Wine and
// answered from a second thread through their controls, as a user would
// answer them.

#include <gtest/gtest.h>

#include <algorithm>

#include "dialog_answer.h"
#include "temp_folder.h"
#include "test_window.h"
// After windows.h, which it needs.
#include <commctrl.h>

#include "win32/file_dialogs.h"
#include "win32/html_help.h"
#include "win32/wide_text.h"

namespace keyreel::win32 {
namespace {

std::wstring helpFile() {
    // The build passes the Unix path; Wine shows the root as drive Z:.
    std::wstring path = L"Z:" + toWide(KEYREEL_HELP_FILE);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

// The help viewer of this process: its frame, and its navigation tab, whose
// selection says whether the contents (0) or the index (1) are shown.
struct HelpWindow {
    HWND frame = nullptr;
    HWND tabs = nullptr;
};

HelpWindow findHelpWindow() {
    HelpWindow help;
    help.frame = FindWindowW(L"HH Parent", L"Tobrin's Keyreel Help");
    if (help.frame == nullptr)
        return help;
    EnumChildWindows(
        help.frame,
        [](HWND child, LPARAM found) -> BOOL {
            wchar_t name[64] = {};
            GetClassNameW(child, name, 64);
            if (std::wstring(name) != WC_TABCONTROLW)
                return TRUE;
            *reinterpret_cast<HWND*>(found) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&help.tabs));
    return help;
}

TEST(FileDialogs, OpenReturnsTheChosenFileAndCancelNothing) {
    TempFolder folder;
    folder.write("m.kyr", "Press_Tab\r\n");
    DialogAnswer answer(L"Open", enterFileName(folder.file("m.kyr")));
    EXPECT_EQ(chooseFile(nullptr, macroListLoadDialog()), folder.file("m.kyr"));
    answer.finish();

    DialogAnswer cancelled(L"Open", cancelDialog);
    EXPECT_EQ(chooseFile(nullptr, macroListLoadDialog()), std::nullopt);
}

TEST(FileDialogs, SaveAsPreselectsItsEntryAndAddsNoExtension) {
    TempFolder folder;
    DialogAnswer answer(L"Save As", enterFileName(folder.file("plain")));
    EXPECT_EQ(chooseFile(nullptr, macroFileSaveDialog()), folder.file("plain"));
    answer.finish();
    EXPECT_EQ(answer.fileTypes,
              (std::vector<std::wstring>{L"Text Files (*.txt)", L"Tobrin Files (*.kyr)"}));
    EXPECT_EQ(answer.selectedType, 1) << "entry 2, the macro files";
    EXPECT_EQ(folder.entries(), 0u) << "the dialog itself writes nothing";

    DialogAnswer cancelled(L"Save As", cancelDialog);
    EXPECT_EQ(chooseFile(nullptr, macroFileSaveDialog()), std::nullopt);
}

TEST(FileDialogs, FiltersBecomeNulSeparatedPairs) {
    // The text of a literal with the NULs in it, without the final one.
    const auto withNuls = [](const auto& literal) {
        return std::wstring(literal, std::size(literal) - 1);
    };
    EXPECT_EQ(dialogFilter("A (*.a)|*.a|B|*.b"), withNuls(L"A (*.a)\0*.a\0B\0*.b\0\0"));
    EXPECT_EQ(dialogFilter("A|*.a|"), withNuls(L"A\0*.a\0\0\0")) << "a trailing |";
}

// Wine's viewer is slow to open again once it was closed (some ten seconds)
// and leaves the tab of an open window alone: the end-to-end tests see the
// contents in a program of their own.
TEST(HelpViewer, OpensTheIndexInTheOneHelpWindowAndClosesItWithTheRest) {
    HelpViewer viewer;
    ASSERT_EQ(viewer.showIndex(helpFile()), HelpViewer::Result::Shown);
    HelpWindow help;
    ASSERT_TRUE(probe::waitFor([&] { return (help = findHelpWindow()).tabs != nullptr; }));
    EXPECT_EQ(SendMessageW(help.tabs, TCM_GETCURSEL, 0, 0), 1) << "the index";
    EXPECT_EQ(viewer.showContents(helpFile()), HelpViewer::Result::Shown);
    EXPECT_EQ(findHelpWindow().frame, help.frame) << "the one help window";
    viewer.closeAll();
    EXPECT_TRUE(probe::waitFor([&] { return findHelpWindow().frame == nullptr; }));

    EXPECT_EQ(viewer.showIndex(L"C:\\no\\such\\help.chm"), HelpViewer::Result::FileMissing);
}

}  // namespace
}  // namespace keyreel::win32
