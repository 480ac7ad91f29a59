// The Windows file store and the ANSI code page, with the macro files that
// use them.

#include <gtest/gtest.h>

#include "ansi_code_page.h"
#include "macro_file.h"
#include "simulated_desktop.h"
#include "temp_folder.h"
#include "win32_file_store.h"

namespace keyreel::win32 {
namespace {

TEST(Win32FileStore, ReplacesFilesWholeAndLeavesNoTemporaryFiles) {
    const TempFolder folder;
    Win32FileStore store;
    const std::string path = folder.file("macro é 你.kyr");
    EXPECT_TRUE(store.writeAtomically(path, "first"));
    EXPECT_TRUE(store.writeAtomically(path, "second, longer"));
    EXPECT_EQ(store.readAll(path), "second, longer");
    EXPECT_TRUE(store.writeAtomically(path, ""));
    EXPECT_EQ(store.readAll(path), "");
    EXPECT_EQ(folder.entries(), 1u);

    EXPECT_FALSE(store.writeAtomically(folder.file("missing folder/macro.kyr"), "x"));
    EXPECT_EQ(folder.entries(), 1u);
}

TEST(Win32FileStore, AFileInUseKeepsItsOldContent) {
    const TempFolder folder;
    Win32FileStore store;
    const std::string path = folder.file("locked.kyr");
    ASSERT_TRUE(store.writeAtomically(path, "old"));
    // Open without sharing, as an editor that locks its file does.
    const HANDLE locked = CreateFileW(pathFromUtf8(path).c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(store.writeAtomically(path, "new"));
    CloseHandle(locked);
    EXPECT_EQ(store.readAll(path), "old");
    EXPECT_EQ(folder.entries(), 1u);
}

TEST(Win32AnsiCodePage, ConvertsBothWaysAndRefusesWhatWouldNotSurvive) {
    const Win32AnsiCodePage western(1252);
    EXPECT_EQ(western.toUtf8("caf\xE9 \x80 \x9F"), "café € Ÿ");
    EXPECT_EQ(western.fromUtf8("café € Ÿ"), "caf\xE9 \x80 \x9F");
    EXPECT_EQ(western.fromUtf8(""), "");
    EXPECT_EQ(western.fromUtf8("Ω"), std::nullopt);
    EXPECT_EQ(western.fromUtf8("a\xC4\x81"), std::nullopt) << "ā would become a look-alike a";
    EXPECT_EQ(western.fromUtf8("\xFF\xFE"), std::nullopt) << "not UTF-8";

    const Win32AnsiCodePage cyrillic(1251);
    EXPECT_EQ(cyrillic.fromUtf8("Привет"), "\xCF\xF0\xE8\xE2\xE5\xF2");
    EXPECT_EQ(cyrillic.toUtf8("\xCF\xF0\xE8\xE2\xE5\xF2"), "Привет");
    EXPECT_EQ(cyrillic.fromUtf8("é"), std::nullopt);

    const Win32AnsiCodePage japanese(932);
    EXPECT_EQ(japanese.toUtf8(*japanese.fromUtf8("日本 abc")), "日本 abc");

    const Win32AnsiCodePage utf8(CP_UTF8);
    EXPECT_EQ(utf8.fromUtf8("Ω 你"), "Ω 你");
    EXPECT_EQ(utf8.fromUtf8("\xFF"), std::nullopt);
}

TEST(Win32AnsiCodePage, MacroFilesUseItAndFallBackToUtf8) {
    const TempFolder folder;
    Win32FileStore store;
    SimulatedDesktop desktop;
    const Win32AnsiCodePage cyrillic(1251);
    MacroFiles files(store, desktop, cyrillic);
    ASSERT_TRUE(files.saveText(folder.file("ru.kyr"), "SendText >Привет"));
    EXPECT_EQ(folder.read("ru.kyr"), "SendText >\xCF\xF0\xE8\xE2\xE5\xF2\r\n");
    MacroList list;
    ASSERT_TRUE(files.loadList(folder.file("ru.kyr"), list));
    EXPECT_EQ(list, (MacroList{"SendText >Привет"}));

    ASSERT_TRUE(files.saveText(folder.file("mixed.kyr"), "SendText >Привет é"));
    EXPECT_EQ(folder.read("mixed.kyr"), "\xEF\xBB\xBFSendText >Привет é\r\n");

    const Win32AnsiCodePage system;
    EXPECT_EQ(system.toUtf8(*system.fromUtf8("plain ASCII")), "plain ASCII");
}

}  // namespace
}  // namespace keyreel::win32
