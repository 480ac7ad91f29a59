// The Windows file store and the ANSI code page.

#include <gtest/gtest.h>

#include <optional>

#include "temp_folder.h"
#include "win32/ansi_code_page.h"
#include "win32/win32_file_store.h"

namespace keyreel::win32 {
namespace {

TEST(Win32FileStore, ReplacesFilesWholeOrNotAtAll) {
    const TempFolder folder;
    Win32FileStore store;
    const std::string path = folder.file("macro é 你.kyr");
    for (const std::string content : {"first", "", "second, longer"}) {
        EXPECT_TRUE(store.writeAtomically(path, content));
        EXPECT_EQ(store.readAll(path), content);
    }
    EXPECT_FALSE(store.writeAtomically(folder.file("missing folder/macro.kyr"), "x"));

    // Open without sharing, as an editor that locks its file does.
    const HANDLE locked = CreateFileW(pathFromUtf8(path).c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(store.writeAtomically(path, "new"));
    CloseHandle(locked);
    EXPECT_EQ(store.readAll(path), "second, longer");
    EXPECT_EQ(folder.entries(), 1u) << "no temporary file is left behind";
}

TEST(Win32AnsiCodePage, ConvertsBothWaysAndRefusesWhatWouldNotSurvive) {
    struct Case {
        UINT codePage;
        std::string text;
        std::optional<std::string> bytes;
    };
    const Case cases[] = {
        {1252, "café € Ÿ", "caf\xE9 \x80 \x9F"},
        {1252, "Ω", std::nullopt},
        {1252, "a\xC4\x81", std::nullopt},  // ā would become a look-alike a
        {1252, "\xFF\xFE", std::nullopt},   // not UTF-8
        {1251, "Привет", "\xCF\xF0\xE8\xE2\xE5\xF2"},
        {932, "日本 abc", "\x93\xFA\x96\x7B abc"},
        {CP_UTF8, "Ω 你", "Ω 你"},
        {CP_ACP, "plain ASCII", "plain ASCII"},
    };
    for (const Case& c : cases) {
        const Win32AnsiCodePage codePage(c.codePage);
        EXPECT_EQ(codePage.fromUtf8(c.text), c.bytes) << c.codePage << ": " << c.text;
        if (c.bytes) {
            EXPECT_EQ(codePage.toUtf8(*c.bytes), c.text) << c.codePage << ": " << c.text;
        }
    }
}

}  // namespace
}  // namespace keyreel::win32
