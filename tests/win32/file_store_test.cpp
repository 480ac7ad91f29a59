// The Windows file store and the ANSI code page.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "faulty_file_store.h"
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

// A failure the system itself gives, and one injected while the temporary
// file is open (every failed step of the write ends the same way, shown on
// the host): the target keeps its bytes and the temporary file is gone
// (Windows cannot delete a file that is still open).
// A read-only target is no case here: Wine replaces it, Windows refuses.
TEST(Win32FileStore, EveryFailureKeepsTheTargetAndLeavesNoTemporaryFile) {
    struct Case {
        const char* name;
        std::function<void(const TempFolder&)> prepare;
        FileFault fault;
    };
    const std::string target = "macro.kyr";
    const Case cases[] = {
        {"target is a folder",
         [&](const TempFolder& folder) {
             std::filesystem::remove(folder.path() / target);
             std::filesystem::create_directory(folder.path() / target);
         },
         FileFault::None},
        {"write fails", {}, FileFault::WriteAfter},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TempFolder folder;
        folder.write(target, "old");
        if (c.prepare)
            c.prepare(folder);
        const bool isFile = std::filesystem::is_regular_file(folder.path() / target);
        FaultyFileStore<Win32FileStore> store;
        store.fault = c.fault;
        store.bytesBeforeFault = 2;
        EXPECT_FALSE(store.writeAtomically(folder.file(target), "new bytes"));
        if (isFile) {
            EXPECT_EQ(folder.read(target), "old");
        }
        EXPECT_EQ(folder.entries(), 1u) << "no temporary file is left behind";
    }
}

TEST(Win32AnsiCodePage, ConvertsBothWaysAndRefusesWhatWouldNotSurvive) {
    struct Case {
        UINT codePage;
        std::string text;
        std::optional<std::string> bytes;
    };
    const Case cases[] = {
        {1252, "café € Ÿ", "caf\xE9 \x80 \x9F"},
        {1252, "", ""},
        {1252, "Ω", std::nullopt},
        {1252, "a\xC4\x81", std::nullopt},  // ā would become a look-alike a
        {1252, "\xFF\xFE", std::nullopt},   // not UTF-8
        {1251, "Привет", "\xCF\xF0\xE8\xE2\xE5\xF2"},
        {1251, "é", std::nullopt},
        {932, "日本 abc", "\x93\xFA\x96\x7B abc"},
        {CP_UTF8, "Ω 你", "Ω 你"},
        {CP_UTF8, "\xFF", std::nullopt},
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
