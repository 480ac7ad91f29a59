// The kyr tool's trace, lint and schedule commands, on real files.

#include <gtest/gtest.h>

#include <sstream>

#include "arguments.h"
#include "lint.h"
#include "schedule.h"
#include "scheduler_fixture.h"
#include "temp_folder.h"
#include "trace.h"

namespace keyreel {
namespace {

// Exit status, output and errors.
using Output = std::tuple<int, std::string, std::string>;

Output schedule(std::vector<std::string> args) {
    args.insert(args.begin(), "schedule");
    const KyrRequest request = parseKyrArguments(args);
    std::ostringstream out, err;
    int status = 2;
    if (request.kind == KyrRequest::Kind::Schedule)
        status = runSchedule(request.schedule, out, err);
    else
        err << request.problem;
    return {status, out.str(), err.str()};
}

TEST(KyrTrace, PrintsOneLinePerEventUntilTheMacroEndsOrALimitStopsIt) {
    TempFolder folder;
    folder.write("m.kyr", "SetFocus >NOTEPAD\r\nSendText >\"\r\nSetFocus >gone\r\nPress_Tab\r\n");
    std::ostringstream out, err;
    EXPECT_EQ(runTrace({folder.file("m.kyr"), {"Other", "Untitled - Notepad"}, true}, out, err), 0);
    EXPECT_EQ(out.str(),
              "activate \"Untitled - Notepad\" -> ok\ntype \"\\\"\"\ntick 1\n"
              "activate \"gone\" -> failed\n"
              "message \"Focus Lost from application. Continue?\" \"Tobrin's Keyreel\" -> no\n");
    const std::tuple<const char*, std::int64_t, std::string> runs[] = {
        {"Press_Tab\r\nLoop\r\n", 4,
         "key down 0x09\nkey up 0x09\nkey down 0x09\nkey up 0x09\n"
         "stopped after 4 events: the macro does not end by itself (see --max-events)\n"},
        {"SendText >ab\r\n", 4, "type \"a\"\ntick 1\ntype \"b\"\ntick 1\n"},  // exactly the limit
        {"MouseMove >1,1\r\nWaitForWindow >never Press_Tab\r\n", 10000,
         "cursor 1,1\nstopped after 1000000 steps without output: the macro does not end by "
         "itself\n"},
    };
    for (const auto& [macro, limit, printed] : runs) {
        folder.write("q.kyr", macro);
        std::ostringstream runOut, runErr;
        EXPECT_EQ(runTrace({folder.file("q.kyr"), {}, false, limit}, runOut, runErr), 0);
        EXPECT_EQ(runOut.str(), printed) << macro;
    }
    EXPECT_EQ(runTrace({"/no/such/file.kyr", {}, false, 10}, out, err), 2);
}

TEST(KyrLint, ExitStatusTellsCleanFromFindingsFromUnreadable) {
    TempFolder folder;
    folder.write("bad.kyr", "Release_ALT\r\n");
    // What PowerShell's redirection writes: UTF-16 with a byte-order mark.
    folder.write("wide.kyr", std::string("\xFF\xFEW\0a\0i\0t\0 \0>\0\x31\0\r\0\n\0", 20));
    folder.write("zeros.kyr", std::string("Wait >1\0", 8));
    std::ostringstream out, err;
    EXPECT_EQ(runLint(folder.file("wide.kyr"), out, err), 0);
    EXPECT_EQ(runLint(folder.file("bad.kyr"), out, err), 1);
    EXPECT_EQ(runLint(folder.file("none.kyr"), out, err), 2);
    EXPECT_EQ(runLint(folder.file("zeros.kyr"), out, err), 2);
    EXPECT_EQ(out.str(), folder.file("bad.kyr") +
                             ":1: 'Release_ALT' is no command word and plays as nothing\n");
    EXPECT_NE(err.str().find("contains NUL characters"), std::string::npos);
}

TEST(KyrSchedule, PrintsEachFireAndTheDatabaseAfterTheLastPassWithoutWritingTheFile) {
    const std::string kFile =
        record("Backup", "D", "3/5/2000", "9:05:07") + record("Report", "O", "3/5/2000", "9:05:30");
    TempFolder folder;
    folder.write("macro.kdb", kFile);
    // The record on line 3 cannot be read: the two before it are simulated.
    folder.write("part.kdb", kFile + "\"B\",\"9:05:07\"\r\n");
    const auto run = [&](const char* name) {
        return schedule(
            {folder.file(name), "--from", "3/5/2000 9:05:00", "--to", "3/6/2000 9:06:00"});
    };
    const auto [status, out, err] = run("macro.kdb");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out,
              "fire \"Backup\" at 3/05/2000 9:05:07\n"
              "fire \"Report\" at 3/05/2000 9:05:30\n"
              "fire \"Backup\" at 3/06/2000 9:05:07\n"
              "database:\n" +
                  record("Backup", "D", "3/07/2000", "9:05:07", "3"));
    const auto [partialStatus, partialOut, partialErr] = run("part.kdb");
    EXPECT_EQ(partialOut, out);
    EXPECT_NE(partialErr.find(":3: this record cannot be read; simulating the 2 entries"),
              std::string::npos);
    EXPECT_EQ(folder.read("macro.kdb"), kFile);
    EXPECT_EQ(folder.entries(), 2u) << "nothing is written beside them, not even a backup";
    // The tick decides which passes there are: here 9:04:30 and 9:05:31.
    EXPECT_TRUE(std::get<1>(schedule({folder.file("macro.kdb"), "--from", "3/5/2000 9:04:30",
                                      "--to", "3/5/2000 9:05:31", "--tick", "61000"}))
                    .starts_with("fire \"Backup\" at 3/05/2000 9:05:31\n"));
}

}  // namespace
}  // namespace keyreel
