// Schedule database bytes: loaded, run through passes around each entry's
// run time (one nested in every play), saved and loaded again to the same
// entries; every change is saved and a damaged file is kept as the backup.

#include "core/base/memory_file_store.h"
#include "core/schedule/schedule_clock.h"
#include "core/schedule/schedule_database.h"
#include "core/schedule/schedule_list.h"
#include "core/schedule/schedule_pass.h"
#include "fuzz_check.h"

using namespace keyreel;

namespace {

constexpr const char* kPath = "macro.kdb";
constexpr std::size_t kTimedEntries = 4;
constexpr std::int64_t kDay = 86400;
constexpr std::int64_t kOffsets[] = {-61, -1, 0, 1, 59, 60, kDay, 7 * kDay};

// A play takes 1.5 s, during which a nested pass finds the player busy.
struct NestingActions final : ScheduleActions {
    FilePlayResult playMacroFile(const std::string&, const FilePlayStarting& starting) override {
        if (nested)
            return FilePlayResult::Busy;
        starting();
        clock.advanceMillis(1500);
        nested = true;
        pass->checkTheSchedule();
        nested = false;
        return FilePlayResult::Played;
    }
    void scheduleSaved(ScheduleSaveResult result) override {
        FUZZ_CHECK(result == ScheduleSaveResult::Saved);
    }

    SimulatedClock clock;
    SchedulePass* pass = nullptr;
    bool nested = false;
};

// The passes around the first entries' run times in seconds since 1970, in
// clock order, then the first again: the clock set back after summer time.
std::vector<std::int64_t> passMoments(const ScheduleList& list) {
    std::set<std::int64_t> moments;
    for (std::size_t row = 0; row < list.rowCount() && row < kTimedEntries; ++row) {
        const ScheduleTimes& times = list.times(row);
        if (!times.runDate || !times.runTime)
            continue;
        const auto runAt = times.runDate->time_since_epoch().count() * kDay + *times.runTime;
        for (const std::int64_t offset : kOffsets)
            moments.insert(runAt + offset);
    }
    std::vector<std::int64_t> passes(moments.begin(), moments.end());
    if (!passes.empty())
        passes.push_back(passes.front());
    return passes;
}

}  // namespace

FUZZ_TARGET(bytes) {
    MemoryFileStore store;
    store.files[kPath] = std::string(bytes);
    ScheduleDatabase database(store, kPath);
    ScheduleList list;
    const ScheduleLoad load = database.loadSchedule(list);
    FUZZ_CHECK(load.status == ScheduleLoadStatus::Loaded ||
               load.status == ScheduleLoadStatus::Stopped);
    FUZZ_CHECK(load.rowsRead == list.rowCount());

    NestingActions actions;
    SchedulePass pass(list, database, actions.clock, actions);
    actions.pass = &pass;
    const auto tie = [](const ScheduleTimes& t) {
        return std::tie(t.runDate, t.runTime, t.runDay, t.running, t.frequency);
    };
    for (const std::int64_t moment : passMoments(list)) {
        actions.clock.millis = moment * 1000;
        pass.checkTheSchedule();
        // The parsed times a row keeps follow its texts.
        for (std::size_t row = 0; row < list.rowCount(); ++row)
            FUZZ_CHECK(tie(list.times(row)) == tie(parseScheduleTimes(list.entry(row))));
    }
    if (store.writes > 0)
        FUZZ_CHECK(store.files[kPath] == database.fileBytes(list));
    FUZZ_CHECK(database.saveSchedule(list) == ScheduleSaveResult::Saved);
    if (load.status == ScheduleLoadStatus::Stopped)
        FUZZ_CHECK(store.files[database.backupPath()] == bytes);

    // A second load gives the entries back, double quotes turned into single ones.
    ScheduleList reloaded;
    const ScheduleLoad reload = ScheduleDatabase(store, kPath).loadSchedule(reloaded);
    FUZZ_CHECK(reload.status == ScheduleLoadStatus::Loaded &&
               reloaded.rowCount() == list.rowCount());
    for (std::size_t row = 0; row < list.rowCount(); ++row) {
        ScheduleEntry entry = list.entry(row);
        for (std::size_t column = 0; column < kScheduleColumnCount; ++column)
            std::ranges::replace(fieldOf(entry, static_cast<ScheduleColumn>(column)), '"', '\'');
        FUZZ_CHECK(reloaded.entry(row) == entry);
    }
}
