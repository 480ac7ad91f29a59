// Every save of the program against a disk that fails at each step of an
// atomic write: the old file stays as it was, no temporary file is left, and
// the user (or, where the core only reports outcomes, its caller) is told.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "core/base/save_questions.h"
#include "core/editor/editor_document.h"
#include "core/macro/macro_file.h"
#include "core/macro/simulated_desktop.h"
#include "core/recorder/recorder.h"
#include "core/schedule/schedule_database.h"
#include "core/schedule/schedule_pass.h"
#include "faulty_file_store.h"
#include "temp_folder.h"

namespace keyreel {
namespace {

constexpr const char* kSaveError = "message \"Error occurred trying to close file, please retry.\"";
constexpr const char* kOldSchedule =
    "\"Backup\",\"9:05:07\",\"3/5/2000\",\"1\",\"D\",\"C:\\backup.kyr\",\"False\",\"\"\r\n";

// What one save works with, and what it reports.
struct SaveScene {
    FileStore& store;
    SimulatedDesktop& desktop;
    std::string path;
    // Set by the save when its caller learnt of the failure.
    bool callerTold = false;
};

struct SaveRow {
    const char* name;
    const char* fileName;
    std::string oldBytes;                  // none: a new file
    std::function<bool(SaveScene&)> save;  // true when the save reported success
    bool userToldByMessage;                // else its caller is told
    const char* keptCopy = nullptr;        // of the old file, kept even when the save fails
};

bool saveMacroList(SaveScene& scene) {
    MacroFiles files(scene.store);
    const MacroList list = {"SendText >new content", "Press_Enter"};
    const SaveOutcome outcome = saveAfterAsking(scene.desktop, files.exists(scene.path),
                                                [&] { return files.saveList(scene.path, list); });
    return outcome == SaveOutcome::Saved;
}

// The editor and the recorder save through a Save As dialog that chooses
// the scene's file; on closing, after Yes to their question.
bool saveEditorText(SaveScene& scene, bool closeSave) {
    MacroFiles files(scene.store);
    EditorDocument document(
        {scene.desktop, files, [&](const FileDialogRequest&) { return scene.path; }, [] {}});
    document.setText("SendText >edited\r\nPress_Enter");
    if (closeSave)
        return document.closeSave();
    document.saveAs();
    return !document.modified();
}

bool saveRecording(SaveScene& scene, bool closeSave) {
    struct StillPointer final : PointerSampler {
        std::optional<ScreenPoint> cursorPosition() override { return ScreenPoint{}; }
        bool ownWindowAt(ScreenPoint) override { return false; }
    } pointer;
    MacroFiles files(scene.store);
    Recorder recorder({pointer,
                       scene.desktop,
                       files,
                       [&](const FileDialogRequest&) { return scene.path; },
                       [] {},
                       {}});
    recorder.buffer().appendLine("SendText >recorded");
    if (closeSave)
        return recorder.readyToClose();
    recorder.save();
    return !recorder.buffer().unsaved();
}

ScheduleList newSchedule() {
    ScheduleList list;
    list.addLoadedRow({"Report", "14:30:00", "3/6/2000", "2", "W", "C:\\r.kyr", "False", "n"});
    return list;
}

// After a load that stopped at a damaged record, the first save keeps the
// original beside the database before it writes.
bool saveSchedule(SaveScene& scene) {
    ScheduleDatabase database(scene.store, scene.path);
    ScheduleList list;
    database.loadSchedule(list);
    const ScheduleSaveResult result = database.saveSchedule(newSchedule());
    scene.callerTold = result != ScheduleSaveResult::Saved;
    return result == ScheduleSaveResult::Saved;
}

// A pass that moves on a daily entry whose run went by saves by itself and
// tells the scheduler when that fails.
bool saveBySchedulePass(SaveScene& scene) {
    struct Actions final : ScheduleActions {
        bool told = false;
        FilePlayResult playMacroFile(const std::string&, const FilePlayStarting&) override {
            return FilePlayResult::Played;
        }
        void scheduleSaved(ScheduleSaveResult result) override {
            told = told || result != ScheduleSaveResult::Saved;
        }
    } actions;
    ScheduleDatabase database(scene.store, scene.path);
    ScheduleList list;
    list.addLoadedRow({"Backup", "9:05:07", "3/5/2000", "1", "D", "C:\\b.kyr", "False", ""});
    SimulatedClock clock;
    clock.set(*parseLocalDateTime("3/9/2000 12:00:00"));
    SchedulePass(list, database, clock, actions).checkTheSchedule();
    scene.callerTold = actions.told;
    return !actions.told;
}

const SaveRow kSaves[] = {
    {"macro list", "list.kyr", "SendText >old\r\n", saveMacroList, true},
    {"macro list, new file", "new.kyr", "", saveMacroList, true},
    {"editor Save As", "edit.kyr", "SendText >old\r\n",
     [](SaveScene& scene) { return saveEditorText(scene, false); }, true},
    {"editor Close/Save", "edit.kyr", "SendText >old\r\n",
     [](SaveScene& scene) { return saveEditorText(scene, true); }, true},
    {"recorder Save", "rec.kyr", "SendText >old\r\n",
     [](SaveScene& scene) { return saveRecording(scene, false); }, true},
    {"recorder closing, Yes", "rec.kyr", "SendText >old\r\n",
     [](SaveScene& scene) { return saveRecording(scene, true); }, true},
    {"schedule database", "macro.kdb", kOldSchedule, saveSchedule, false},
    {"schedule after a partial load", "macro.kdb",
     std::string(kOldSchedule) + "\"damaged,\"9:05:07\"\r\n", saveSchedule, false, "macro.kdb.bak"},
    {"schedule pass", "macro.kdb", kOldSchedule, saveBySchedulePass, false},
};

struct FaultRow {
    const char* name;
    FileFault fault;
    std::size_t bytesBeforeFault = 0;
};

const FaultRow kFaults[] = {
    {"create", FileFault::Create},   {"write after 1 byte", FileFault::WriteAfter, 1},
    {"flush", FileFault::Flush},     {"rename", FileFault::Rename},
    {"replace", FileFault::Replace}, {"full disk after 5 bytes", FileFault::FullDisk, 5},
};

using FolderContents = std::vector<std::pair<std::string, std::string>>;

// The folder's files and their bytes, leaving out the row's kept copy when
// it holds the old bytes.
FolderContents folderContents(const TempFolder& folder, const SaveRow& save) {
    FolderContents files;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        const std::string name = entry.path().filename().string();
        const std::string bytes = folder.read(name);
        if (save.keptCopy == nullptr || name != save.keptCopy || bytes != save.oldBytes)
            files.emplace_back(name, bytes);
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST(SaveFaults, EverySaveKeepsTheOldFileAndTellsOfEveryFailure) {
    for (const SaveRow& save : kSaves) {
        for (const FaultRow& fault : kFaults) {
            SCOPED_TRACE(std::string(save.name) + " / " + fault.name);
            TempFolder folder;
            if (!save.oldBytes.empty())
                folder.write(save.fileName, save.oldBytes);
            const FolderContents before = folderContents(folder, save);
            FaultyFileStore<> store;
            store.fault = fault.fault;
            store.bytesBeforeFault = fault.bytesBeforeFault;
            SimulatedDesktop desktop;
            SaveScene scene{store, desktop, folder.file(save.fileName)};

            const bool saved = save.save(scene);
            // A rename fault only meets a new file, a replace fault only an
            // existing one; a save that meets neither goes through.
            if (store.faultsMet == 0) {
                EXPECT_TRUE(fault.fault == FileFault::Rename || fault.fault == FileFault::Replace);
                EXPECT_TRUE(saved);
                continue;
            }
            EXPECT_FALSE(saved);
            EXPECT_EQ(folderContents(folder, save), before) << "old file intact, nothing left over";
            if (save.userToldByMessage) {
                ASSERT_FALSE(desktop.events().empty());
                EXPECT_TRUE(desktop.events().back().starts_with(kSaveError));
            } else {
                EXPECT_TRUE(scene.callerTold);
            }
        }
    }
}

}  // namespace
}  // namespace keyreel
