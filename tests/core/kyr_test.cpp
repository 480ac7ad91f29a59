// The kyr tool's trace and lint commands, on real files.

#include <gtest/gtest.h>

#include <sstream>

#include "kyr_output.h"
#include "lint.h"
#include "temp_folder.h"
#include "trace.h"

namespace keyreel {
namespace {

Output trace(const TraceOptions& options) {
    return captureOutput(
        [&](std::ostream& out, std::ostream& err) { return runTrace(options, out, err); });
}

TEST(KyrTrace, PrintsOneLinePerEvent) {
    TempFolder folder;
    // The player's own events are its tests'; here: the windows given, the
    // answer No, and each event printed on a line of its own, quoted.
    folder.write("m.kyr",
                 "RunProgram >notepad.exe\r\nSetFocus >NOTEPAD\r\nSendText >\"\\\r\n"
                 "CloseWindow >note\r\nSetFocus >gone\r\nPress_Tab\r\n");
    const Output result = trace({folder.file("m.kyr"), {"Other", "Untitled - Notepad"}, true});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out,
              "run \"notepad.exe\"\n"
              "activate \"Untitled - Notepad\" -> ok\n"
              "type \"\\\"\"\ntick 1\ntype \"\\\\\"\ntick 1\n"
              "close \"Untitled - Notepad\"\n"
              "activate \"gone\" -> failed\n"
              "message \"Focus Lost from application. Continue?\" \"Tobrin's Keyreel\" -> no\n");
}

TEST(KyrTrace, MaxEventsCountsPrintedLines) {
    TempFolder folder;
    const std::string stop =
        "stopped after 8 events: the macro does not end by itself (see --max-events)\n";
    folder.write("tab.kyr", "Press_Tab\r\nLoop\r\n");
    const Output tabs = trace({folder.file("tab.kyr"), {}, false, 8});
    EXPECT_EQ(tabs.status, 0);
    std::string fourTabs;
    for (int i = 0; i < 4; ++i)
        fourTabs += "key down 0x09\nkey up 0x09\n";
    EXPECT_EQ(tabs.out, fourTabs + stop);

    // The limit falls inside a line: what the line still does is not printed.
    folder.write("text.kyr", "SendText >abcdef\r\n");
    EXPECT_EQ(
        trace({folder.file("text.kyr"), {}, false, 8}).out,
        "type \"a\"\ntick 1\ntype \"b\"\ntick 1\ntype \"c\"\ntick 1\ntype \"d\"\ntick 1\n" + stop);

    // A run that ends with exactly N lines was not stopped.
    EXPECT_EQ(trace({folder.file("text.kyr"), {}, false, 12}).out.find("stopped"),
              std::string::npos);
}

TEST(KyrTrace, ARunThatPrintsNothingForLongIsStopped) {
    TempFolder folder;
    const std::string stop =
        "stopped after 1000000 steps without output: the macro does not end by itself\n";
    const std::vector<std::pair<std::string, std::string>> runs = {
        // The window never comes; the rest of its line is not printed.
        {"MouseMove >1,1\r\nWaitForWindow >never Press_Tab\r\nPress_Up\r\n", "cursor 1,1\n"},
        {"Hello\r\nLoop\r\n", ""},
        {"Repeat >2147483647\r\nno command\r\nEnd_Repeat\r\n", ""},
    };
    for (const auto& [macro, printed] : runs) {
        folder.write("q.kyr", macro);
        const Output result = trace({folder.file("q.kyr"), {}, false, 10000});
        EXPECT_EQ(result.status, 0) << macro;
        EXPECT_EQ(result.out, printed + stop) << macro;
    }
}

TEST(KyrTrace, AnUnreadableFileIsStatusTwo) {
    const Output result = trace({"/no/such/file.kyr", {}, false, 10});
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("cannot read"), std::string::npos);
    EXPECT_TRUE(result.out.empty());
}

TEST(KyrLint, ExitStatusTellsCleanFromFindingsFromUnreadable) {
    TempFolder folder;
    folder.write("ok.kyr", "Wait >1\r\nSendText >hi there\r\nRelease_Shift\r\n");
    folder.write("bad.kyr", "Release_ALT\r\n");
    std::ostringstream out, err;
    EXPECT_EQ(runLint(folder.file("ok.kyr"), out, err), 0);
    EXPECT_TRUE(out.str().empty());
    EXPECT_EQ(runLint(folder.file("bad.kyr"), out, err), 1);
    EXPECT_EQ(out.str(), folder.file("bad.kyr") +
                             ":1: 'Release_ALT' is no command word and plays as nothing\n");
    EXPECT_EQ(runLint(folder.file("none.kyr"), out, err), 2);
    EXPECT_NE(err.str().find("cannot read"), std::string::npos);

    // What PowerShell's redirection writes: UTF-16 with a byte-order mark.
    folder.write("wide.kyr", std::string("\xFF\xFEW\0a\0i\0t\0 \0>\0\x31\0\r\0\n\0", 20));
    EXPECT_EQ(runLint(folder.file("wide.kyr"), out, err), 0);
    folder.write("zeros.kyr", std::string("Wait >1\0", 8));
    EXPECT_EQ(runLint(folder.file("zeros.kyr"), out, err), 2);
    EXPECT_NE(err.str().find("contains NUL characters"), std::string::npos);
    EXPECT_EQ(out.str(), folder.file("bad.kyr") +
                             ":1: 'Release_ALT' is no command word and plays as nothing\n");
}

}  // namespace
}  // namespace keyreel
