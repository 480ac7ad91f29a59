// Handing a file over to the running copy with a real WM_COPYDATA between
// windows, and the download mark read from a real file's Zone.Identifier.

#include "win32/hand_over.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>

#include "core/base/file_store.h"
#include "core/macro/macro_file.h"
#include "temp_folder.h"
#include "test_window.h"
#include "win32/wide_text.h"
#include "win32/win32_file_store.h"

namespace keyreel::win32 {
namespace {

// A window of the running copy: keeps what each WM_COPYDATA carried, and
// takes a hand-over only while it accepts them.
class HandOverTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window.onMessage = [this](UINT message, WPARAM, LPARAM lParam) -> std::optional<LRESULT> {
            if (message != WM_COPYDATA)
                return std::nullopt;
            const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            messages.push_back(data);
            taken = handedOverCommandLine(data);
            return accepts && taken ? TRUE : FALSE;
        };
    }

    TestWindow window{"", TestWindow::Content::Empty, false};
    std::vector<COPYDATASTRUCT> messages;
    std::optional<std::string> taken;
    bool accepts = true;
};

// The payload's own rules are the core's; here, the message around it.
TEST_F(HandOverTest, TheCommandLineReachesTheRunningCopysWindowWhichMayRefuseIt) {
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

// A browser writes the mark as a stream of the file; Wine keeps it as a file
// beside it. Either way it is read and written by the stream's name.
TEST(WebMark, TheZoneStreamOfTheFileIsReadAndKeptBySaves) {
    const TempFolder folder;
    folder.write("internet.kyr", "SendText >x\r\n");
    std::ofstream(pathFromUtf8(folder.file("internet.kyr") + ":Zone.Identifier"))
        << "[ZoneTransfer]\r\nZoneId=3\r\n";
    folder.write("plain.kyr", "SendText >x\r\n");
    const auto marked = [&](const char* name) {
        return carriesWebMark(pathFromUtf8(folder.file(name)).wstring());
    };
    EXPECT_TRUE(marked("internet.kyr"));
    EXPECT_FALSE(marked("plain.kyr"));

    // The zone manager rates where a file lies (Wine puts every server's
    // share in the internet zone, and never reads the stream itself).
    Win32FileStore store;
    EXPECT_EQ(store.locationZone("\\\\server\\share\\a.kyr"), 3u);
    EXPECT_EQ(store.locationZone(folder.file("plain.kyr")), 0u);

    // Saves keep the mark, and a marked file's text carries it to a new name.
    MacroFiles files(store);
    ASSERT_TRUE(files.write(folder.file("internet.kyr"), "Wait >1\r\n"));
    ASSERT_TRUE(files.write(folder.file("copy.kyr"), "Wait >1\r\n", true));
    EXPECT_TRUE(marked("internet.kyr"));
    EXPECT_TRUE(marked("copy.kyr"));
}

}  // namespace
}  // namespace keyreel::win32
