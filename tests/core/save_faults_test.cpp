// Every save against a disk that fails at each step of an atomic write.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string_view>

#include "core/base/file_store.h"
#include "core/base/save_questions.h"
#include "core/editor/editor_document.h"
#include "core/macro/simulated_desktop.h"
#include "core/recorder/recorder.h"
#include "core/schedule/schedule_database.h"
#include "temp_folder.h"

namespace keyreel {
namespace {

// The real file store, failing at one chosen step of an atomic write or as a full disk.
enum class FileFault {
    None,
    Create,      // the temporary file cannot be created
    WriteAfter,  // writing stops after `bytesBeforeFault` bytes
    Flush,       // flushing or closing the temporary file fails
    Rename,      // the finished file cannot take the name of a new target
    Replace,     // the finished file cannot replace an existing target
    FullDisk,    // `bytesBeforeFault` bytes fit, then writing and flushing fail
};

class FaultyFileStore final : public LocalFileStore {
  public:
    FileFault fault = FileFault::None;
    std::size_t bytesBeforeFault = 0;
    int faultsMet = 0;  // steps made to fail so far

  protected:
    bool createFile(const std::filesystem::path& path, std::ofstream& out) override {
        if (fault == FileFault::Create)
            return failed();
        return LocalFileStore::createFile(path, out);
    }
    bool writeBytes(std::ofstream& out, std::string_view bytes) override {
        if (fault != FileFault::WriteAfter && fault != FileFault::FullDisk)
            return LocalFileStore::writeBytes(out, bytes);
        // What fits reaches the file, so a partial temporary file is left to clean up.
        LocalFileStore::writeBytes(out, bytes.substr(0, std::min(bytes.size(), bytesBeforeFault)));
        out.flush();
        return bytes.size() <= bytesBeforeFault || failed();
    }
    bool flushFile(std::ofstream& out) override {
        if (fault == FileFault::Flush || fault == FileFault::FullDisk)
            return failed();
        return LocalFileStore::flushFile(out);
    }
    bool replace(const std::filesystem::path& from, const std::filesystem::path& to) override {
        const bool targetExists = std::filesystem::exists(to);
        if ((fault == FileFault::Rename && !targetExists) ||
            (fault == FileFault::Replace && targetExists)) {
            return failed();
        }
        return LocalFileStore::replace(from, to);
    }

  private:
    bool failed() {
        ++faultsMet;
        return false;
    }
};

constexpr const char* kOldMacro = "SendText >old\r\n";
constexpr const char* kOldSchedule =
    "\"Backup\",\"9:05:07\",\"3/5/2000\",\"1\",\"D\",\"C:\\backup.kyr\",\"False\",\"\"\r\n";

using Save = std::function<bool(FileStore&, SimulatedDesktop&, std::string)>;

bool saveMacroList(FileStore& store, SimulatedDesktop& desktop, std::string path) {
    MacroFiles files(store);
    const auto save = [&] { return files.saveList(path, {"SendText >new", "Press_Enter"}); };
    return saveAfterAsking(desktop, files.exists(path), save) == SaveOutcome::Saved;
}

// Through a Save As dialog that chooses the path; on closing, after Yes.
Save editorSave(bool closing) {
    return [=](FileStore& store, SimulatedDesktop& desktop, std::string path) {
        MacroFiles files(store);
        EditorDocument document(
            {desktop, files, [&](const FileDialogRequest&) { return path; }, [] {}});
        document.setText("SendText >edited\r\nPress_Enter");
        if (closing)
            return document.closeSave();
        document.saveAs();
        return !document.modified();
    };
}

Save recorderSave(bool closing) {
    return [=](FileStore& store, SimulatedDesktop& desktop, std::string path) {
        struct StillPointer final : PointerSampler {
            std::optional<ScreenPoint> cursorPosition() override { return ScreenPoint{}; }
            bool ownWindowAt(ScreenPoint) override { return false; }
        } pointer;
        MacroFiles files(store);
        Recorder recorder(
            {pointer, desktop, files, [&](const FileDialogRequest&) { return path; }, [] {}, {}});
        recorder.buffer().appendLine("SendText >recorded");
        if (closing)
            return recorder.readyToClose();
        recorder.save();
        return !recorder.buffer().unsaved();
    };
}

bool saveSchedule(FileStore& store, SimulatedDesktop&, std::string path) {
    ScheduleDatabase database(store, path);
    ScheduleList list;
    database.loadSchedule(list);
    list.addLoadedRow({"Report", "14:30:00", "3/6/2000", "2", "W", "C:\\r.kyr", "False", "n"});
    return database.saveSchedule(list) == ScheduleSaveResult::Saved;
}

struct SaveRow {
    const char* fileName;
    std::string oldBytes;  // none: a new file
    Save save;
    bool userToldByMessage;          // else its caller is told, by the result
    const char* keptCopy = nullptr;  // of the old file, kept even when the save fails
};

const SaveRow kSaves[] = {
    {"list.kyr", kOldMacro, saveMacroList, true},
    {"new.kyr", "", saveMacroList, true},
    {"edit.kyr", kOldMacro, editorSave(false), true},
    {"edit.kyr", kOldMacro, editorSave(true), true},
    {"rec.kyr", kOldMacro, recorderSave(false), true},
    {"rec.kyr", kOldMacro, recorderSave(true), true},
    {"macro.kdb", kOldSchedule, saveSchedule, false},
    {"macro.kdb", std::string(kOldSchedule) + "\"damaged,\"9:05:07\"\r\n", saveSchedule, false,
     "macro.kdb.bak"},
};

TEST(SaveFaults, EverySaveKeepsTheOldFileAndTellsOfEveryFailure) {
    const std::pair<FileFault, std::size_t> faults[] = {
        {FileFault::Create, 0}, {FileFault::WriteAfter, 1}, {FileFault::Flush, 0},
        {FileFault::Rename, 0}, {FileFault::Replace, 0},    {FileFault::FullDisk, 5}};
    for (std::size_t row = 0; row < std::size(kSaves); ++row) {
        const SaveRow& save = kSaves[row];
        for (const auto& [fault, bytesBeforeFault] : faults) {
            SCOPED_TRACE(testing::Message() << "save " << row << ", fault " << int(fault));
            TempFolder folder;
            if (!save.oldBytes.empty())
                folder.write(save.fileName, save.oldBytes);
            FaultyFileStore store;
            store.fault = fault;
            store.bytesBeforeFault = bytesBeforeFault;
            SimulatedDesktop desktop;
            const bool saved = save.save(store, desktop, folder.file(save.fileName));
            // A rename fault only meets a new file, a replace fault only an existing one.
            if (store.faultsMet == 0) {
                EXPECT_TRUE(fault == FileFault::Rename || fault == FileFault::Replace);
                EXPECT_TRUE(saved);
                continue;
            }
            EXPECT_FALSE(saved);
            EXPECT_EQ(folder.read(save.fileName), save.oldBytes) << "old file intact";
            const bool kept = save.keptCopy && folder.read(save.keptCopy) == save.oldBytes;
            EXPECT_EQ(folder.entries(), !save.oldBytes.empty() + kept) << "nothing left over";
            EXPECT_THAT(
                desktop.events(),
                testing::Contains(testing::StartsWith("message \"Error occurred trying to close"))
                    .Times(save.userToldByMessage));
        }
    }
}

}  // namespace
}  // namespace keyreel
