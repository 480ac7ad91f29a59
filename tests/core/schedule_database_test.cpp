// The schedule database file: its exact format, reading fields as the format
// allows, encodings, and saves that never lose entries.

#include "schedule_database.h"

#include <gtest/gtest.h>

#include "memory_file_store.h"
#include "temp_folder.h"

namespace keyreel {
namespace {

const ScheduleEntry kBackup{"Backup", "9:05:07", "3/5/2000", "1", "D", "C:\\MACROS\\BACKUP.KYR",
                            "False",  ""};
constexpr const char* kBackupRecord =
    "\"Backup\",\"9:05:07\",\"3/5/2000\",\"1\",\"D\",\"C:\\MACROS\\BACKUP.KYR\",\"False\",\"\"\r\n";

std::vector<ScheduleEntry> entriesOf(const ScheduleList& list) {
    std::vector<ScheduleEntry> entries;
    for (std::size_t row = 0; row < list.rowCount(); ++row)
        entries.push_back(list.entry(row));
    return entries;
}

class ScheduleDatabaseTest : public ::testing::Test {
  protected:
    MemoryFileStore files;
    ScheduleDatabase database{files, "C:\\Keyreel\\macro.kdb"};
    ScheduleList list;

    std::string& file() { return files.files[database.path()]; }
    std::vector<ScheduleEntry> reload() {
        ScheduleList fresh;
        EXPECT_EQ(database.loadSchedule(fresh).status, ScheduleLoadStatus::Loaded);
        return entriesOf(fresh);
    }
};

TEST(ScheduleDatabasePath, TheFolderGetsOneSeparator) {
    EXPECT_EQ(scheduleDatabasePath("C:\\Program Files\\Keyreel\\"),
              "C:\\Program Files\\Keyreel\\macro.kdb");
    EXPECT_EQ(scheduleDatabasePath("C:/Keyreel/"), "C:/Keyreel/macro.kdb");
    const std::string joined = checkForSlash("C:\\Keyreel");
    EXPECT_EQ(joined.size(), 11u);
    EXPECT_TRUE(joined.ends_with('\\') || joined.ends_with('/'));
}

TEST_F(ScheduleDatabaseTest, EachRowIsOneLineOfEightQuotedFields) {
    list.addLoadedRow(kBackup);
    list.addLoadedRow(
        {"Report, weekly", "14:30:00", "3/06/2000", "2", "W", "C:\\A,B\\X.KYR", "True", "note"});
    list.addLoadedRow({"", "0:00:00", "1/1/2001", "2", "O", "", "False", ""});
    ASSERT_EQ(database.saveSchedule(list), ScheduleSaveResult::Saved);
    EXPECT_EQ(file(), std::string(kBackupRecord) +
                          "\"Report, weekly\",\"14:30:00\",\"3/06/2000\",\"2\",\"W\","
                          "\"C:\\A,B\\X.KYR\",\"True\",\"note\"\r\n"
                          "\"\",\"0:00:00\",\"1/1/2001\",\"2\",\"O\",\"\",\"False\",\"\"\r\n");
    EXPECT_EQ(reload(), entriesOf(list));
}

TEST_F(ScheduleDatabaseTest, AnEmptyScheduleIsAnEmptyFile) {
    ASSERT_EQ(database.saveSchedule(list), ScheduleSaveResult::Saved);
    EXPECT_EQ(file(), "");
    EXPECT_TRUE(reload().empty());
}

TEST_F(ScheduleDatabaseTest, NotesWithLineBreaksSpanLinesAndReadBack) {
    list.addLoadedRow({"A", "9:05:07", "3/5/2000", "1", "D", "p", "False", "first\r\nsecond\r\n"});
    list.addLoadedRow(kBackup);
    ASSERT_EQ(database.saveSchedule(list), ScheduleSaveResult::Saved);
    EXPECT_EQ(reload(), entriesOf(list));
}

TEST_F(ScheduleDatabaseTest, ADoubleQuoteIsWrittenAsASingleQuote) {
    list.addLoadedRow({"Say \"hi\"", "9:05:07", "3/5/2000", "1", "D", "p", "False", "a\"b"});
    list.addLoadedRow(kBackup);
    ASSERT_EQ(database.saveSchedule(list), ScheduleSaveResult::Saved);
    const auto back = reload();
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].descr, "Say 'hi'");
    EXPECT_EQ(back[0].notes, "a'b");
    EXPECT_EQ(back[1], kBackup);
}

TEST(ScheduleFileReading, FieldsAreReadAsTheFormatAllows) {
    const ScheduleText read = parseScheduleText(
        "  \"A\" ,  9:05:07  ,\"3/5/2000\"junk,1,D\r\n"  // a record across lines
        "\"C:\\X.KYR\",False,\"n, with comma\"\n"        // LF alone ends a line
        "\r\n\r\n"                                       // empty lines between records
        "\"B\",\"1:00:00\",\"1/1/2000\",\"7\",\"W\",\"p\",\"True\",\"\"");  // no line end at the
                                                                            // end
    ASSERT_TRUE(read.complete);
    ASSERT_EQ(read.entries.size(), 2u);
    EXPECT_EQ(read.entries[0], (ScheduleEntry{"A", "9:05:07", "3/5/2000", "1", "D", "C:\\X.KYR",
                                              "False", "n, with comma"}));
    EXPECT_EQ(read.entries[1],
              (ScheduleEntry{"B", "1:00:00", "1/1/2000", "7", "W", "p", "True", ""}));
}

TEST(ScheduleFileReading, ReadingStopsAtARecordThatCannotBeRead) {
    const std::string good(kBackupRecord);
    const std::pair<std::string, std::size_t> cases[] = {
        {good + good + "\"A\",\"9:05:07\",\"3/5/2000\"\r\n", 3},  // too few fields at the end
        {good + "\"A\",\"9:05:07\r\n" + good, 2},                 // quote never closed
        {good + "\"A\",\"1\",\"2\",\"3\",\"4\",\"5\",\"6\",\"7\",\"8\"\r\n" + good, 2},  // nine
        {good + "\"A\",\"1\",\"2\",\"3\",\"4\",\"5\",\"6\",", 2},  // nothing after a comma
    };
    for (const auto& [text, line] : cases) {
        const ScheduleText read = parseScheduleText(text);
        EXPECT_FALSE(read.complete) << text;
        EXPECT_EQ(read.stoppedAtLine, line) << text;
        ASSERT_FALSE(read.entries.empty());
        EXPECT_EQ(read.entries[0], kBackup);
    }
}

TEST_F(ScheduleDatabaseTest, APartialLoadKeepsTheOriginalBeforeTheFirstSave) {
    // The quote left open swallows the line end, so the record has a ninth field.
    const std::string original = std::string(kBackupRecord) + "\"A\",\"B\r\n" + kBackupRecord;
    file() = original;
    const ScheduleLoad load = database.openSchedule(list);
    EXPECT_EQ(load.status, ScheduleLoadStatus::Stopped);
    EXPECT_EQ(load.rowsRead, 1u);
    EXPECT_EQ(load.stoppedAtLine, 2u);
    ASSERT_EQ(list.rowCount(), 1u);

    list.addEntryRow("New", "1:00:00", "1/1/2001", "O", "p", "2", "False", "");
    ASSERT_EQ(database.saveSchedule(list), ScheduleSaveResult::Saved);
    EXPECT_EQ(files.files[database.backupPath()], original);
    EXPECT_EQ(database.backupPath(), "C:\\Keyreel\\macro.kdb.bak");

    // Only the first save keeps it: later saves leave the backup alone.
    files.files[database.backupPath()] = "kept";
    ASSERT_EQ(database.saveSchedule(list), ScheduleSaveResult::Saved);
    EXPECT_EQ(files.files[database.backupPath()], "kept");
}

TEST_F(ScheduleDatabaseTest, NoSaveReplacesAnOriginalThatCouldNotBeKept) {
    file() = std::string(kBackupRecord) + "\"broken";
    database.openSchedule(list);
    files.unwritable.insert(database.backupPath());
    EXPECT_EQ(database.saveSchedule(list), ScheduleSaveResult::BackupNotWritten);
    EXPECT_EQ(file(), std::string(kBackupRecord) + "\"broken");
}

TEST_F(ScheduleDatabaseTest, AnUnreadableDatabaseIsNeverTruncated) {
    file() = kBackupRecord;
    files.unreadable.insert(database.path());
    EXPECT_EQ(database.openSchedule(list).status, ScheduleLoadStatus::Unreadable);
    EXPECT_EQ(list.rowCount(), 0u);
    EXPECT_EQ(file(), kBackupRecord);
    EXPECT_EQ(database.saveSchedule(list), ScheduleSaveResult::BackupNotWritten);
    EXPECT_EQ(file(), kBackupRecord);

    // Once it can be read, the first save keeps it before replacing it.
    files.unreadable.clear();
    EXPECT_EQ(database.saveSchedule(list), ScheduleSaveResult::Saved);
    EXPECT_EQ(files.files[database.backupPath()], kBackupRecord);
    EXPECT_EQ(file(), "");
}

TEST_F(ScheduleDatabaseTest, AMissingDatabaseIsCreatedEmpty) {
    EXPECT_EQ(database.openSchedule(list).status, ScheduleLoadStatus::Created);
    EXPECT_EQ(files.files.at(database.path()), "");
    EXPECT_EQ(database.openSchedule(list).status, ScheduleLoadStatus::Loaded);

    MemoryFileStore readOnly;
    readOnly.unwritable.insert("D:\\macro.kdb");
    ScheduleDatabase nowhere{readOnly, "D:\\macro.kdb"};
    EXPECT_EQ(nowhere.openSchedule(list).status, ScheduleLoadStatus::Missing);
    EXPECT_EQ(nowhere.saveSchedule(list), ScheduleSaveResult::NotWritten);
}

TEST_F(ScheduleDatabaseTest, NoCharacterIsLostInTheFile) {
    list.addLoadedRow(
        {"Caf\xC3\xA9", "9:05:07", "3/5/2000", "1", "D", "C:\\\xE2\x82\xAC.kyr", "False", ""});
    ASSERT_EQ(database.saveSchedule(list), ScheduleSaveResult::Saved);
    EXPECT_TRUE(file().starts_with("\"Caf\xE9\"")) << "the ANSI code page when it holds everything";
    EXPECT_EQ(reload(), entriesOf(list));

    list.addLoadedRow({"\xCE\xA9", "9:05:07", "3/5/2000", "1", "D", "p", "False", ""});
    ASSERT_EQ(database.saveSchedule(list), ScheduleSaveResult::Saved);
    EXPECT_TRUE(file().starts_with("\xEF\xBB\xBF\"Caf\xC3\xA9\"")) << "else UTF-8";
    EXPECT_EQ(reload(), entriesOf(list));
}

// Fails at the last step, after the temporary file was written.
class FailingReplaceStore : public LocalFileStore {
  protected:
    bool replace(const std::filesystem::path&, const std::filesystem::path&) override {
        return false;
    }
};

TEST(ScheduleDatabaseOnDisk, AFailedSaveLeavesTheOldFileIntact) {
    TempFolder folder;
    folder.write("macro.kdb", kBackupRecord);
    const auto folderText = folder.path().u8string();
    const std::string path =
        scheduleDatabasePath(std::string(folderText.begin(), folderText.end()));
    ASSERT_EQ(path, folder.file("macro.kdb"));

    LocalFileStore disk;
    ScheduleDatabase database{disk, path};
    ScheduleList list;
    ASSERT_EQ(database.openSchedule(list).status, ScheduleLoadStatus::Loaded);
    list.addEntryRow("Backup", "9:05:07", "3/5/2000", "D", "x", "1", "False", "");
    EXPECT_EQ(list.entry(1).descr, "Backup(2)");

    FailingReplaceStore failing;
    ScheduleDatabase failingDatabase{failing, path};
    EXPECT_EQ(failingDatabase.saveSchedule(list), ScheduleSaveResult::NotWritten);
    EXPECT_EQ(folder.read("macro.kdb"), kBackupRecord);
    EXPECT_EQ(folder.entries(), 1u) << "no temporary file is left behind";

    ASSERT_EQ(database.saveSchedule(list), ScheduleSaveResult::Saved);
    EXPECT_EQ(folder.read("macro.kdb"), std::string(kBackupRecord) +
                                            "\"Backup(2)\",\"9:05:07\",\"3/5/2000\",\"1\","
                                            "\"D\",\"x\",\"False\",\"\"\r\n");
}

}  // namespace
}  // namespace keyreel
