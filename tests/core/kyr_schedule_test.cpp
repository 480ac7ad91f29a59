// kyr schedule: what a schedule file will do over a stretch of time, on a
// real file that it must never change. 3/5/2000 is a Sunday.

#include <gtest/gtest.h>

#include <sstream>

#include "schedule.h"
#include "temp_folder.h"

namespace keyreel {
namespace {

struct Output {
    int status;
    std::string out;
    std::string err;
};

Output schedule(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = runScheduleCommand(args, out, err);
    return {status, out.str(), err.str()};
}

constexpr const char* kFile =
    "\"Backup\",\"9:05:07\",\"3/5/2000\",\"1\",\"D\",\"C:\\M\\B.KYR\",\"False\",\"\"\r\n"
    "\"Report\",\"9:05:30\",\"3/5/2000\",\"1\",\"O\",\"C:\\M\\R.KYR\",\"False\",\"\"\r\n"
    "\"Say \"\"hi\",\"9:06:00\",\"3/6/2000\",\"2\",\"W\",\"C:\\M\\S.KYR\",\"False\",\"a\r\nb\"\r\n";

TEST(KyrSchedule, PrintsEachFireAndTheDatabaseAfterTheLastPass) {
    TempFolder folder;
    folder.write("macro.kdb", kFile);
    const Output result = schedule(
        {folder.file("macro.kdb"), "--from", "3/5/2000 9:05:00", "--to", "3/6/2000 9:06:00"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(
        result.out,
        "fire \"Backup\" at 3/05/2000 9:05:07\n"
        "fire \"Report\" at 3/05/2000 9:05:30\n"
        "fire \"Backup\" at 3/06/2000 9:05:07\n"
        "fire \"Say \" at 3/06/2000 9:06:00\n"
        "database:\n"
        "\"Backup\",\"9:05:07\",\"3/07/2000\",\"3\",\"D\",\"C:\\M\\B.KYR\",\"False\",\"\"\r\n"
        "\"Say \",\"9:06:00\",\"3/13/2000\",\"2\",\"W\",\"C:\\M\\S.KYR\",\"True\",\"a\r\nb\"\r\n");
    EXPECT_EQ(folder.read("macro.kdb"), kFile) << "the file itself is never written";
    EXPECT_EQ(folder.entries(), 1u);
}

TEST(KyrSchedule, TheTickDecidesWhichPassesThereAre) {
    TempFolder folder;
    folder.write("s.kdb",
                 "\"Backup\",\"9:05:07\",\"3/5/2000\",\"1\",\"D\",\"b\",\"False\",\"\"\r\n");
    const std::vector<std::string> range = {folder.file("s.kdb"), "--from", "3/5/2000 9:04:30",
                                            "--to", "3/5/2000 9:06:00"};
    EXPECT_TRUE(schedule(range).out.starts_with("fire \"Backup\" at 3/05/2000 9:05:07\n"));

    auto everyMinute = range;
    everyMinute.insert(everyMinute.end(), {"--tick", "61000"});
    EXPECT_TRUE(schedule(everyMinute).out.starts_with("fire \"Backup\" at 3/05/2000 9:05:31\n"));

    const Output empty = schedule({folder.file("s.kdb"), "--from", "3/5/2000 9:00:00", "--to",
                                   "3/5/2000 9:00:00", "--tick", "5"});
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(
        empty.out,
        "database:\n\"Backup\",\"9:05:07\",\"3/5/2000\",\"1\",\"D\",\"b\",\"False\",\"\"\r\n");
}

TEST(KyrSchedule, AFileReadOnlyInPartIsSimulatedAsFarAsItReads) {
    TempFolder folder;
    const std::string file =
        "\"A\",\"9:05:07\",\"3/5/2000\",\"1\",\"O\",\"a\",\"False\",\"\"\r\n\"B\",\"9:05:07\"\r\n";
    folder.write("p.kdb", file);
    const Output result =
        schedule({folder.file("p.kdb"), "--from", "3/5/2000 9:05:07", "--to", "3/5/2000 9:05:07"});
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "fire \"A\" at 3/05/2000 9:05:07\ndatabase:\n");
    EXPECT_NE(result.err.find(":2: this record cannot be read; simulating the 1 entry before it"),
              std::string::npos);
    EXPECT_EQ(folder.read("p.kdb"), file);
    EXPECT_EQ(folder.entries(), 1u) << "no backup is written beside it";
}

TEST(KyrSchedule, UnusableArgumentsAndUnreadableFilesAreStatusTwo) {
    TempFolder folder;
    folder.write("s.kdb", "");
    const std::string file = folder.file("s.kdb");
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{folder.file("none.kdb"), "--from", "3/5/2000 9:00:00", "--to", "3/5/2000 9:00:01"},
         "cannot read schedule file"},
        {{file, "--from", "3/5/2000", "--to", "3/5/2000 9:00:01"}, "--from '3/5/2000' is no date"},
        {{file, "--from", "3/5/2000 9:00:00", "--to", "2/30/2000 9:00:01"}, "--to '2/30/2000"},
        {{file, "--from", "3/5/2000 9:00:00"}, "needs --from and --to"},
        {{"--from", "3/5/2000 9:00:00", "--to", "3/5/2000 9:00:01"}, "needs a schedule file"},
        {{file, "--from", "3/5/2000 9:00:01", "--to", "3/5/2000 9:00:00"}, "before --from"},
        {{file, "--from", "3/5/2000 9:00:00", "--to", "3/5/2000 9:00:01", "--tick", "0"}, "--tick"},
        {{file, "--from", "3/5/2000 9:00:00", "--to", "3/5/2000 9:00:01", "--tick", "2.5"},
         "--tick"},
        {{file, "--from", "1/1/2000 0:00:00", "--to", "1/1/2001 0:00:00"}, "give a larger --tick"},
        {{file, "extra", "--from", "3/5/2000 9:00:00", "--to", "3/5/2000 9:00:01"}, "'extra'"},
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
