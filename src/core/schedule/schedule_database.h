#pragma once

// The schedule database "macro.kdb": one record per entry row, in list
// order. A record is the eight fields in column order, each between double
// quotes, separated by commas and ended by CR LF:
//
//   "Backup","9:05:07","3/5/2000","1","D","C:\MACROS\BACKUP.KYR","False",""
//
// Nothing inside a field is escaped, so a field can hold commas and line
// breaks but not a double quote; the writer turns a double quote into a
// single one so that the file always reads back into the same rows.
//
// The file is text in the ANSI code page when every character survives the
// round trip, else UTF-8 with a byte-order mark, exactly as macro files are
// (decodeFileText/encodeFileText), so no character is ever lost. Saves
// replace the file atomically.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/file_store.h"
#include "core/base/text.h"
#include "core/schedule/schedule_list.h"

namespace keyreel {

// The folder with a path separator appended unless it already ends in one
// (a backslash, or a slash, which Windows accepts too).
std::string checkForSlash(std::string_view folder);
// "macro.kdb" in the program's folder.
std::string scheduleDatabasePath(std::string_view programFolder);

struct ScheduleText {
    std::vector<ScheduleEntry> entries;
    // False when reading stopped at a record that could not be read.
    bool complete = true;
    // The 1-based line on which that record starts.
    std::size_t stoppedAtLine = 0;
};

// Reads records until the end of the text or the first one that cannot be
// read: a quoted field without its closing quote, fewer than eight fields
// before the end, or a ninth field after the eighth on the same line.
ScheduleText parseScheduleText(std::string_view text);
// The records of every row of the list, as text.
std::string scheduleText(const ScheduleList& list);

enum class ScheduleLoadStatus {
    Loaded,      // every record was read
    Stopped,     // reading stopped at a record that could not be read
    Created,     // there was no database; an empty one was made
    Missing,     // there was no database and none could be made
    Unreadable,  // the database is there but was not read: it cannot be, or is too large
};

struct ScheduleLoad {
    ScheduleLoadStatus status = ScheduleLoadStatus::Loaded;
    std::size_t rowsRead = 0;
    std::size_t stoppedAtLine = 0;  // for Stopped
    bool tooLarge = false;          // for Unreadable: larger than a schedule is read
};

enum class ScheduleSaveResult {
    Saved,
    NotWritten,        // the database could not be written; the old file is intact
    BackupNotWritten,  // the unread original could not be kept; nothing was written
};

class ScheduleDatabase {
  public:
    ScheduleDatabase(FileStore& files, std::string path,
                     const AnsiCodePage& codePage = defaultCodePage(),
                     std::uint64_t largestFile = kLargestReadFile)
        : files_(files), path_(std::move(path)), codePage_(codePage), largestFile_(largestFile) {}

    const std::string& path() const { return path_; }
    // Where the original is kept when a save would replace records that the
    // load could not read.
    std::string backupPath() const { return path_ + ".bak"; }

    // Loads the database into the list, or creates it empty when there is
    // none. A database that exists but cannot be read, or is larger than
    // `largestFile`, is left as it is.
    ScheduleLoad openSchedule(ScheduleList& list);
    // Makes the database an empty file.
    bool createSchedule();
    // Appends the database's records to the list. After a load that did not
    // read the whole file, the first save keeps the original as backupPath():
    // a copy of the file when none of it was read, and nothing replaces the
    // file until that copy is made.
    ScheduleLoad loadSchedule(ScheduleList& list);
    // Replaces the database with the rows of the list.
    ScheduleSaveResult saveSchedule(const ScheduleList& list);

    // The bytes saveSchedule writes for the list.
    std::string fileBytes(const ScheduleList& list) const;

  private:
    bool keepOriginal();

    FileStore& files_;
    std::string path_;
    const AnsiCodePage& codePage_;
    std::uint64_t largestFile_;
    // Set by a load that left part of the file unread; the bytes are empty
    // when the file could not be read at all.
    bool originalUnread_ = false;
    std::optional<std::string> originalBytes_;
};

}  // namespace keyreel
