// The file dialogs, answered from a second thread through their controls.

#include <gtest/gtest.h>

#include "temp_folder.h"
#include "test_window.h"
#include "win32/file_dialogs.h"
#include "win32/wide_text.h"

namespace keyreel::win32 {
namespace {

TEST(FileDialogs, OpenAndSaveAsReturnTheChosenFileAndSaveAsPreselectsItsEntry) {
    TempFolder folder;
    folder.write("m.kyr", "Press_Tab\r\n");
    std::future<std::wstring> user =
        probe::answerDialog(L"Open", probe::enterFileName(toWide(folder.file("m.kyr"))));
    EXPECT_EQ(chooseFile(nullptr, macroListLoadDialog()), folder.file("m.kyr"));
    user.get();

    std::vector<std::wstring> types;
    LRESULT selected = -1;
    user = probe::answerDialog(L"Save As", [&](HWND dialog) {
        const HWND list = GetDlgItem(dialog, 1136);  // the file types
        for (LRESULT i = 0; i < SendMessageW(list, CB_GETCOUNT, 0, 0); ++i) {
            wchar_t type[128] = {};
            SendMessageW(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(type));
            types.emplace_back(type);
        }
        selected = SendMessageW(list, CB_GETCURSEL, 0, 0);
        probe::enterFileName(toWide(folder.file("plain")))(dialog);
    });
    EXPECT_EQ(chooseFile(nullptr, macroFileSaveDialog()), folder.file("plain")) << "no extension";
    user.get();
    EXPECT_EQ(types, (std::vector<std::wstring>{L"Text Files (*.txt)", L"Tobrin Files (*.kyr)"}));
    EXPECT_EQ(selected, 1) << "entry 2, the macro files";
    EXPECT_EQ(folder.entries(), 1u) << "the dialog itself writes nothing";

    user = probe::answerDialog(L"Save As", probe::pressButton(IDCANCEL));
    EXPECT_EQ(chooseFile(nullptr, macroFileSaveDialog()), std::nullopt);
    // NUL-separated pairs; a trailing | is one more NUL.
    const wchar_t filter[] = L"A (*.a)\0*.a\0B\0*.b\0\0\0";
    EXPECT_EQ(dialogFilter("A (*.a)|*.a|B|*.b|"), std::wstring(filter, std::size(filter) - 1));
}

}  // namespace
}  // namespace keyreel::win32
