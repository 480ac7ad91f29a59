// Files, the ANSI code page, the hand-over to the running copy and the download mark.

#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <tuple>

#include "core/base/file_store.h"
#include "core/macro/macro_file.h"
#include "temp_folder.h"
#include "test_window.h"
#include "win32/ansi_code_page.h"
#include "win32/hand_over.h"
#include "win32/wide_text.h"
#include "win32/win32_file_store.h"

namespace keyreel::win32 {
namespace {

TEST(Win32FileStore, ReplacesFilesWholeOrNotAtAllAndReadsAndKeepsTheirDownloadMark) {
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

    // A browser writes the download mark as a stream (a file beside it under Wine).
    folder.write("internet.kyr", "SendText >x\r\n");
    std::ofstream(pathFromUtf8(folder.file("internet.kyr") + ":Zone.Identifier"))
        << "[ZoneTransfer]\r\nZoneId=3\r\n";
    const auto marked = [&](const char* name) {
        return carriesWebMark(pathFromUtf8(folder.file(name)).wstring());
    };
    EXPECT_TRUE(marked("internet.kyr"));
    EXPECT_FALSE(marked("macro é 你.kyr"));

    // Wine's zone manager puts every server's share in the internet zone.
    EXPECT_EQ(store.locationZone("\\\\server\\share\\a.kyr"), 3u);
    EXPECT_EQ(store.locationZone(path), 0u);

    // Saves keep the mark and carry it to a new name.
    MacroFiles files(store);
    ASSERT_TRUE(files.write(folder.file("internet.kyr"), "Wait >1\r\n"));
    ASSERT_TRUE(files.write(folder.file("copy.kyr"), "Wait >1\r\n", true));
    EXPECT_TRUE(marked("internet.kyr"));
    EXPECT_TRUE(marked("copy.kyr"));
}

TEST(Win32AnsiCodePage, ConvertsBothWaysAndRefusesWhatWouldNotSurvive) {
    // ā would become a look-alike a; \xFF\xFE is no UTF-8.
    const std::tuple<UINT, std::string, std::optional<std::string>> cases[] = {
        {1252, "café € Ÿ", "caf\xE9 \x80 \x9F"},
        {1252, "Ω", std::nullopt},
        {1252, "a\xC4\x81", std::nullopt},
        {1252, "\xFF\xFE", std::nullopt},
        {1251, "Привет", "\xCF\xF0\xE8\xE2\xE5\xF2"},
        {932, "日本 abc", "\x93\xFA\x96\x7B abc"},
        {CP_UTF8, "Ω 你", "Ω 你"},
        {CP_ACP, "plain ASCII", "plain ASCII"}};
    for (const auto& [page, text, bytes] : cases) {
        const Win32AnsiCodePage codePage(page);
        EXPECT_EQ(codePage.fromUtf8(text), bytes) << page << ": " << text;
        EXPECT_EQ(bytes ? codePage.toUtf8(*bytes) : text, text) << page << ": " << text;
    }
}

// The running copy's window takes a hand-over only while it accepts them.
TEST(HandOver, TheCommandLineReachesTheRunningCopysWindowWhichMayRefuseIt) {
    TestWindow window{"", TestWindow::Content::Empty, false};
    std::vector<COPYDATASTRUCT> messages;
    std::optional<std::string> taken;
    bool accepts = true;
    window.onMessage = [&](UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
        if (message != WM_COPYDATA)
            return std::nullopt;
        messages.push_back(*reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        taken = handedOverCommandLine(messages.back());
        return accepts && taken ? TRUE : FALSE;
    };
    const std::wstring commandLine = L"\"C:\\My Macros\\caf\u00E9 \u4F60.kyr\"";
    EXPECT_TRUE(handOverToRunningCopy(TestWindow::kClassName, commandLine));
    EXPECT_EQ(taken, toUtf8(commandLine));
    const COPYDATASTRUCT sent = messages.front();
    EXPECT_EQ(handedOverCommandLine({sent.dwData, 4, nullptr}), std::nullopt) << "no data";
    EXPECT_EQ(handedOverCommandLine({sent.dwData, 0, nullptr}), "");

    accepts = false;
    EXPECT_FALSE(handOverToRunningCopy(TestWindow::kClassName, commandLine)) << "refused";
    EXPECT_EQ(messages.size(), 2u);
    DestroyWindow(window.handle());
    EXPECT_FALSE(handOverToRunningCopy(TestWindow::kClassName, commandLine, 0))
        << "no running copy";
}

}  // namespace
}  // namespace keyreel::win32
