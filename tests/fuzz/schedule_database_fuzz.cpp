// Schedule database bytes: loaded, run through passes around each entry's
// run time (one nested in every play), saved and loaded again to the same
// entries; every change is saved and a damaged file is kept as the backup.

#include "core/base/memory_file_store.h"
#include "core/schedule/schedule_clock.h"
#include "core/schedule/schedule_database.h"
#include "core/schedule/schedule_list.h"
#include "core/schedule/schedule_pass.h"
#include "fuzz_check.h"

namespace keyreel {
namespace {

constexpr const char* kPath = "macro.kdb";
constexpr std::size_t kTimedEntries = 4;
constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kOffsets[] = {-61, -1, 0, 1, 59, 60, kSecondsPerDay, 7 * kSecondsPerDay};

// A play takes 1.5 s, during which a nested pass finds the player busy.
class NestingActions final : public ScheduleActions {
  public:
    explicit NestingActions(SimulatedClock& clock) : clock_(clock) {}
    SchedulePass* pass = nullptr;
    int notSaved = 0;

    FilePlayResult playMacroFile(const std::string&, const FilePlayStarting& starting) override {
        if (depth_ > 0)
            return FilePlayResult::Busy;
        starting();
        clock_.advanceMillis(1500);
        if (pass != nullptr) {
            ++depth_;
            pass->checkTheSchedule();
            --depth_;
        }
        return FilePlayResult::Played;
    }
    void scheduleSaved(ScheduleSaveResult result) override {
        if (result != ScheduleSaveResult::Saved)
            ++notSaved;
    }

  private:
    SimulatedClock& clock_;
    int depth_ = 0;
};

// Seconds since 1970-01-01 00:00 of the passes, in clock order.
std::vector<std::int64_t> passMoments(const ScheduleList& list) {
    std::vector<std::int64_t> moments;
    for (std::size_t row = 0; row < list.rowCount() && row < kTimedEntries; ++row) {
        const ScheduleTimes& times = list.times(row);
        if (!times.runDate || !times.runTime)
            continue;
        const std::int64_t runAt =
            times.runDate->time_since_epoch().count() * kSecondsPerDay + *times.runTime;
        for (const std::int64_t offset : kOffsets)
            moments.push_back(runAt + offset);
    }
    std::sort(moments.begin(), moments.end());
    moments.erase(std::unique(moments.begin(), moments.end()), moments.end());
    return moments;
}

void checkTimesFollowTexts(const ScheduleList& list) {
    for (std::size_t row = 0; row < list.rowCount(); ++row) {
        const ScheduleTimes& kept = list.times(row);
        const ScheduleTimes parsed = parseScheduleTimes(list.entry(row));
        FUZZ_CHECK(kept.runDate == parsed.runDate && kept.runTime == parsed.runTime &&
                   kept.runDay == parsed.runDay && kept.running == parsed.running &&
                   kept.frequency == parsed.frequency);
    }
}

// What a second load must give: the writer turns double quotes into single ones.
std::vector<ScheduleEntry> entriesAsWritten(const ScheduleList& list) {
    std::vector<ScheduleEntry> entries;
    for (std::size_t row = 0; row < list.rowCount(); ++row) {
        ScheduleEntry entry = list.entry(row);
        for (std::size_t column = 0; column < kScheduleColumnCount; ++column) {
            std::string& field = fieldOf(entry, static_cast<ScheduleColumn>(column));
            std::replace(field.begin(), field.end(), '"', '\'');
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

void checkReload(MemoryFileStore& store, const ScheduleList& list) {
    ScheduleDatabase database(store, kPath);
    ScheduleList reloaded;
    const ScheduleLoad load = database.loadSchedule(reloaded);
    FUZZ_CHECK(load.status == ScheduleLoadStatus::Loaded);
    std::vector<ScheduleEntry> entries;
    for (std::size_t row = 0; row < reloaded.rowCount(); ++row)
        entries.push_back(reloaded.entry(row));
    FUZZ_CHECK(entries == entriesAsWritten(list));
}

}  // namespace
}  // namespace keyreel

FUZZ_TARGET(bytes) {
    using namespace keyreel;
    const std::string original(bytes);
    MemoryFileStore store;
    store.files[kPath] = original;
    ScheduleDatabase database(store, kPath);
    ScheduleList list;
    const ScheduleLoad load = database.loadSchedule(list);
    FUZZ_CHECK(load.status == ScheduleLoadStatus::Loaded ||
               load.status == ScheduleLoadStatus::Stopped);
    FUZZ_CHECK(load.rowsRead == list.rowCount());

    SimulatedClock clock;
    NestingActions actions(clock);
    SchedulePass pass(list, database, clock, actions);
    actions.pass = &pass;
    const std::vector<std::int64_t> moments = passMoments(list);
    for (const std::int64_t moment : moments) {
        clock.millis = moment * 1000;
        pass.checkTheSchedule();
        checkTimesFollowTexts(list);
    }
    if (!moments.empty()) {
        // The clock set back, as at the end of summer time.
        clock.millis = moments.front() * 1000;
        pass.checkTheSchedule();
    }
    FUZZ_CHECK(actions.notSaved == 0);
    if (store.writes > 0)
        FUZZ_CHECK(store.files[kPath] == database.fileBytes(list));

    FUZZ_CHECK(database.saveSchedule(list) == ScheduleSaveResult::Saved);
    if (load.status == ScheduleLoadStatus::Stopped)
        FUZZ_CHECK(store.files[database.backupPath()] == original);
    checkReload(store, list);
}
