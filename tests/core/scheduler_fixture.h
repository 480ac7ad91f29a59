#pragma once

// The scheduler model on an in-memory database, a simulated clock and a player that
// records its plays (busy while playing, unable to read `unreadable`). 3/5/2000 is a Sunday.

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/base/memory_file_store.h"
#include "core/schedule/scheduler_model.h"

namespace keyreel {

using Strings = std::vector<std::string>;

// One database record of an entry whose macro is "<descr>.kyr".
inline std::string record(const std::string& descr, const std::string& freq,
                          const std::string& runDate, const std::string& runTime,
                          const std::string& runDay = "1", const std::string& notes = "") {
    return "\"" + descr + "\",\"" + runTime + "\",\"" + runDate + "\",\"" + runDay + "\",\"" +
           freq + "\",\"" + descr + ".kyr\",\"False\",\"" + notes + "\"\r\n";
}

inline LocalDateTime moment(const std::string& text, int millis = 0) {
    LocalDateTime time = parseLocalDateTime(text).value();
    time.millisecond = millis;
    return time;
}

struct SchedulerParts : MacroFilePlayer {
    static constexpr const char* kDatabase = "C:\\Keyreel\\macro.kdb";

    MemoryFileStore files;
    SimulatedClock clock;
    FiredOnceEntries firedOnce;
    ToldUnreadableFiles toldUnreadable;
    Strings played;
    std::set<std::string> unreadable;
    std::set<std::string> downloaded;
    int playing = 0;
    std::function<void(const std::string& path)> duringPlay;
    std::vector<MessageRequest> shown;
    std::optional<SchedulerModel> scheduler;

    SchedulerModel& loadWindow(MacroFilePlayer* player = nullptr) {
        scheduler.reset();
        scheduler.emplace(SchedulerServices{
            files, kDatabase, defaultCodePage(), clock, player ? *player : *this, firedOnce,
            toldUnreadable, [this](const std::string& path) { return downloaded.contains(path); }});
        scheduler->load();
        showReports();
        return *scheduler;
    }
    FilePlayResult playMacroFile(const std::string& path,
                                 const FilePlayStarting& starting) override {
        if (playing > 0)
            return FilePlayResult::Busy;
        if (unreadable.contains(path))
            return FilePlayResult::Unreadable;
        starting();
        played.push_back(path);
        ++playing;
        if (duringPlay)
            duringPlay(path);
        --playing;
        return FilePlayResult::Played;
    }
    void showReports() {
        scheduler->showReports([&](const MessageRequest& report) { shown.push_back(report); });
    }
    void setClock(const std::string& text, int millis = 0) { clock.set(moment(text, millis)); }
    ClockLabels tickAt(const std::string& text, int millis = 0) {
        setClock(text, millis);
        const ClockLabels labels = scheduler->tick();
        showReports();
        return labels;
    }
    std::string& database() { return files.files[kDatabase]; }
    Strings rows() const {
        Strings texts;
        for (std::size_t row = 0; row < scheduler->list().rowCount(); ++row) {
            texts.push_back(scheduler->list().entry(row).descr);
            for (const auto column : {ScheduleColumn::RunTime, ScheduleColumn::RunDate,
                                      ScheduleColumn::Day, ScheduleColumn::Freq})
                texts.back() += ' ' + scheduler->cellText(row, column);
        }
        return texts;
    }
};

}  // namespace keyreel
