// The schedule database file: its exact format, reading fields as the format
// allows, encodings, and saves that never lose entries.

#include "core/schedule/schedule_database.h"

#include <gtest/gtest.h>

#include "core/base/file_store.h"
#include "core/base/memory_file_store.h"
#include "temp_folder.h"

namespace keyreel {
namespace {

const ScheduleEntry kBackup{"Backup", "9:05:07", "3/5/2000", "1", "D", "C:\\MACROS\\BACKUP.KYR",
                            "False",  ""};
constexpr const char* kBackupRecord =
    "\"Backup\",\"9:05:07\",\"3/5/2000\",\"1\",\"D\",\"C:\\MACROS\\BACKUP.KYR\",\"False\",\"\"\r\n";

class ScheduleDatabaseTest : public ::testing::Test {
  protected:
    MemoryFileStore files;
    ScheduleDatabase database{files, "C:\\Keyreel\\macro.kdb"};
    ScheduleList list;

    std::string& file() { return files.files["C:\\Keyreel\\macro.kdb"]; }
    std::string& backup() { return files.files["C:\\Keyreel\\macro.kdb.bak"]; }
    // Saves the list and loads the file back; gives the rows read, as text.
    std::string saveAndReload() {
        EXPECT_EQ(database.saveSchedule(list), ScheduleSaveResult::Saved);
        ScheduleList fresh;
        EXPECT_EQ(database.loadSchedule(fresh).status, ScheduleLoadStatus::Loaded);
        return scheduleText(fresh);
    }
};

TEST_F(ScheduleDatabaseTest, EachRowIsOneLineOfEightQuotedFieldsAndReadsBack) {
    EXPECT_EQ(saveAndReload(), "");
    EXPECT_EQ(file(), "");
    list.addLoadedRow(kBackup);
    list.addLoadedRow({"Report, weekly", "14:30:00", "3/06/2000", "2", "W", "C:\\A,B\\X.KYR",
                       "True", "first\r\nsecond\r\n"});
    list.addLoadedRow({"Caf\xC3\xA9", "0:00:00", "1/1/2001", "2", "O", "", "False", ""});
    EXPECT_EQ(saveAndReload(), scheduleText(list));
    EXPECT_EQ(file(),
              std::string(kBackupRecord) +
                  "\"Report, weekly\",\"14:30:00\",\"3/06/2000\",\"2\",\"W\","
                  "\"C:\\A,B\\X.KYR\",\"True\",\"first\r\nsecond\r\n\"\r\n"
                  "\"Caf\xE9\",\"0:00:00\",\"1/1/2001\",\"2\",\"O\",\"\",\"False\",\"\"\r\n")
        << "in the ANSI code page when it holds every character";
}

TEST_F(ScheduleDatabaseTest, ADoubleQuoteBecomesASingleQuoteAndNoOtherCharacterIsLost) {
    list.addLoadedRow({"Say \"\xCE\xA9\"", "9:05:07", "3/5/2000", "1", "D", "p", "False", "\""});
    list.addLoadedRow(kBackup);
    EXPECT_EQ(saveAndReload(),
              "\"Say '\xCE\xA9'\",\"9:05:07\",\"3/5/2000\",\"1\",\"D\",\"p\",\"False\",\"'\"\r\n" +
                  std::string(kBackupRecord));
    EXPECT_TRUE(file().starts_with("\xEF\xBB\xBF\"Say '")) << "UTF-8 when the code page lacks one";
}

TEST(ScheduleFileReading, FieldsAreReadAsTheFormatAllows) {
    const ScheduleText read = parseScheduleText(
        "  \"A\" ,  9:05:07  ,\"3/5/2000\"junk,1,D\r\n"  // a record across lines
        "\"C:\\X.KYR\",False,\"n, with comma\"\n"        // LF alone ends a line
        "\r\n\r\n"                                       // empty lines between records
        "\"B\",\"1:00:00\",\"1/1/2000\",\"7\",\"W\",\"p\",\"True\",\"\"");  // no final line end
    ASSERT_TRUE(read.complete);
    EXPECT_EQ(read.entries,
              (std::vector<ScheduleEntry>{
                  {"A", "9:05:07", "3/5/2000", "1", "D", "C:\\X.KYR", "False", "n, with comma"},
                  {"B", "1:00:00", "1/1/2000", "7", "W", "p", "True", ""}}));
}

TEST(ScheduleFileReading, ReadingStopsAtARecordThatCannotBeRead) {
    const std::string good(kBackupRecord);
    const std::string seven = "\"A\",\"1\",\"2\",\"3\",\"4\",\"5\",\"6\",";
    const std::pair<std::string, std::size_t> cases[] = {
        {good + seven + "\"two\r\nlines\"\r\n\"A\",\"9:05:07\"\r\n", 4},  // too few at the end
        {good + "\"A\",\"9:05:07\r\n" + good, 2},  // a quote that takes in the next line
        {good + seven + "\"never closed", 2},
        {good + seven + "\"7\",\"8\"\r\n" + good, 2},  // a ninth field
        {good + seven, 2},                             // nothing after a comma
    };
    for (const auto& [text, line] : cases) {
        const ScheduleText read = parseScheduleText(text);
        EXPECT_FALSE(read.complete) << text;
        EXPECT_EQ(read.stoppedAtLine, line) << text;
        EXPECT_EQ(read.entries.at(0), kBackup) << text;
    }
}

TEST_F(ScheduleDatabaseTest, APartialLoadKeepsTheOriginalBeforeTheFirstSave) {
    // The quote left open swallows the line end, so the record has a ninth field.
    const std::string original = std::string(kBackupRecord) + "\"A\",\"B\r\n" + kBackupRecord;
    file() = original;
    EXPECT_EQ(database.openSchedule(list).status, ScheduleLoadStatus::Stopped);
    EXPECT_EQ(scheduleText(list), kBackupRecord);

    files.unwritable.insert(database.backupPath());
    EXPECT_EQ(database.saveSchedule(list), ScheduleSaveResult::BackupNotWritten);
    EXPECT_EQ(file(), original) << "nothing replaces an original that could not be kept";
    files.unwritable.clear();
    ASSERT_EQ(database.saveSchedule(list), ScheduleSaveResult::Saved);
    EXPECT_EQ(backup(), original);
    EXPECT_EQ(file(), kBackupRecord);
    backup() = "kept";
    ASSERT_EQ(database.saveSchedule(list), ScheduleSaveResult::Saved);
    EXPECT_EQ(backup(), "kept") << "only the first save keeps it";
}

TEST_F(ScheduleDatabaseTest, AnUnreadableDatabaseIsNeverTruncated) {
    file() = kBackupRecord;
    files.unreadable.insert(database.path());
    EXPECT_EQ(database.openSchedule(list).status, ScheduleLoadStatus::Unreadable);
    EXPECT_EQ(database.saveSchedule(list), ScheduleSaveResult::BackupNotWritten);
    EXPECT_EQ(file(), kBackupRecord);
    // Once it can be read, the first save keeps it before replacing it.
    files.unreadable.clear();
    EXPECT_EQ(database.saveSchedule(list), ScheduleSaveResult::Saved);
    EXPECT_EQ(backup(), kBackupRecord);
}

// A database larger than a schedule is read is never read, not even for its
// backup: it takes the path of an unreadable one, and is copied as it is.
TEST_F(ScheduleDatabaseTest, AnOversizedDatabaseIsNeverReadAndIsCopiedBeforeItIsReplaced) {
    ScheduleDatabase limited{files, database.path(), defaultCodePage(), 10};
    file() = kBackupRecord;
    const ScheduleLoad load = limited.openSchedule(list);
    EXPECT_EQ(load.status, ScheduleLoadStatus::Unreadable);
    EXPECT_TRUE(load.tooLarge);
    EXPECT_EQ(list.rowCount(), 0u);
    list.addLoadedRow(kBackup);
    files.unwritable.insert(limited.backupPath());
    EXPECT_EQ(limited.saveSchedule(list), ScheduleSaveResult::BackupNotWritten);
    EXPECT_EQ(file(), kBackupRecord);
    files.unwritable.clear();
    file() = "changed since the load";
    ASSERT_EQ(limited.saveSchedule(list), ScheduleSaveResult::Saved);
    EXPECT_EQ(backup(), "changed since the load");
    EXPECT_EQ(file(), kBackupRecord);
    EXPECT_EQ(files.reads, 0);
}

TEST_F(ScheduleDatabaseTest, AMissingDatabaseIsCreatedEmpty) {
    EXPECT_EQ(database.openSchedule(list).status, ScheduleLoadStatus::Created);
    EXPECT_EQ(files.files.at(database.path()), "");
    files.files.clear();
    files.unwritable.insert(database.path());
    EXPECT_EQ(database.openSchedule(list).status, ScheduleLoadStatus::Missing);
}

}  // namespace
}  // namespace keyreel
