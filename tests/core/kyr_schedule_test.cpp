// kyr schedule: what a schedule file will do over a stretch of time, on a
// real file that it must never change. 3/5/2000 is a Sunday.

#include <gtest/gtest.h>

#include "arguments.h"
#include "kyr_output.h"
#include "schedule.h"
#include "temp_folder.h"

namespace keyreel {
namespace {

// kyr schedule with these arguments, as main runs it.
Output schedule(std::vector<std::string> args) {
    args.insert(args.begin(), "schedule");
    const KyrRequest request = parseKyrArguments(args);
    return captureOutput([&](std::ostream& out, std::ostream& err) {
        if (request.kind != KyrRequest::Kind::Schedule) {
            err << request.problem;
            return 2;
        }
        return runSchedule(request.schedule, out, err);
    });
}

constexpr const char* kFile =
    "\"Backup\",\"9:05:07\",\"3/5/2000\",\"1\",\"D\",\"C:\\M\\B.KYR\",\"False\",\"\"\r\n"
    "\"Report\",\"9:05:30\",\"3/5/2000\",\"1\",\"O\",\"C:\\M\\R.KYR\",\"False\",\"\"\r\n";

TEST(KyrSchedule, PrintsEachFireAndTheDatabaseAfterTheLastPassWithoutWritingTheFile) {
    TempFolder folder;
    folder.write("macro.kdb", kFile);
    // The record on line 3 cannot be read: the two before it are simulated.
    folder.write("part.kdb", std::string(kFile) + "\"B\",\"9:05:07\"\r\n");
    const auto run = [&](const char* name) {
        return schedule(
            {folder.file(name), "--from", "3/5/2000 9:05:00", "--to", "3/6/2000 9:06:00"});
    };
    const Output whole = run("macro.kdb");
    EXPECT_EQ(whole.status, 0);
    EXPECT_EQ(whole.err, "");
    EXPECT_EQ(
        whole.out,
        "fire \"Backup\" at 3/05/2000 9:05:07\n"
        "fire \"Report\" at 3/05/2000 9:05:30\n"
        "fire \"Backup\" at 3/06/2000 9:05:07\n"
        "database:\n"
        "\"Backup\",\"9:05:07\",\"3/07/2000\",\"3\",\"D\",\"C:\\M\\B.KYR\",\"False\",\"\"\r\n");
    const Output partial = run("part.kdb");
    EXPECT_EQ(partial.out, whole.out);
    EXPECT_NE(
        partial.err.find(":3: this record cannot be read; simulating the 2 entries before it"),
        std::string::npos);
    EXPECT_EQ(folder.read("macro.kdb"), kFile);
    EXPECT_EQ(folder.entries(), 2u) << "nothing is written beside them, not even a backup";

    // The tick decides which passes there are: here 9:04:30 and 9:05:31.
    EXPECT_TRUE(schedule({folder.file("macro.kdb"), "--from", "3/5/2000 9:04:30", "--to",
                          "3/5/2000 9:05:31", "--tick", "61000"})
                    .out.starts_with("fire \"Backup\" at 3/05/2000 9:05:31\n"));
}

TEST(KyrSchedule, UnusableArgumentsAndUnreadableFilesAreStatusTwo) {
    TempFolder folder;
    folder.write("s.kdb", "");
    const std::string file = folder.file("s.kdb");
    const std::string at = "3/5/2000 9:00:00", later = "3/5/2000 9:00:01";
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{folder.file("none.kdb"), "--from", at, "--to", later}, "cannot read schedule file"},
        {{file, "--from", "3/5/2000", "--to", later}, "--from '3/5/2000' is no date"},
        {{file, "--from", at, "--to", "2/30/2000 9:00:01"}, "--to '2/30/2000"},
        {{file, "--from", at}, "needs --from and --to"},
        {{"--from", at, "--to", later}, "needs a schedule file"},
        {{file, "--from", later, "--to", at}, "before --from"},
        {{file, "--from", at, "--to", later, "--tick", "0"}, "--tick"},
        {{file, "--from", at, "--to", later, "--tick", "2.5"}, "--tick"},
        {{file, "--from", "1/1/2000 0:00:00", "--to", "1/1/2001 0:00:00"}, "give a larger --tick"},
        {{file, "extra", "--from", at, "--to", later}, "'extra'"},
    };
    for (const auto& [args, message] : cases) {
        const Output result = schedule(args);
        EXPECT_EQ(result.status, 2) << message;
        EXPECT_EQ(result.out, "") << message;
        EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
    }
}

}  // namespace
}  // namespace keyreel
