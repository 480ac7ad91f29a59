// The schedule pass with nothing due, and the database's load and save, over
// 10,000 entries. The idle pass runs on every tick of a 1 ms timer, so it
// must stay far below a millisecond and allocate nothing; the "allocs"
// counter reports the allocations per pass.

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <new>

#include "core/base/file_store.h"
#include "core/base/memory_file_store.h"
#include "core/schedule/schedule_database.h"
#include "core/schedule/schedule_pass.h"

namespace {

std::atomic<std::int64_t> allocationCount{0};

}  // namespace

// Both kept out of line: inlined, malloc() and free() look to the compiler
// like a release that does not match its allocation.
[[gnu::noinline]] void* operator new(std::size_t size) {
    allocationCount.fetch_add(1, std::memory_order_relaxed);
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* block) noexcept {
    std::free(block);
}
[[gnu::noinline]] void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}

namespace keyreel {
namespace {

constexpr int kEntries = 10'000;

class IdleActions final : public ScheduleActions {
  public:
    int calls = 0;
    FilePlayResult playMacroFile(const std::string&, const FilePlayStarting&) override {
        ++calls;
        return FilePlayResult::Played;
    }
    void scheduleSaved(ScheduleSaveResult) override { ++calls; }
};

// Once, daily and weekly entries, some today later than now, none due. Now
// is Sunday 3/5/2000 9:00:00.
void fillSchedule(ScheduleList& list) {
    const char* freqs[] = {"O", "D", "W"};
    for (int i = 0; i < kEntries; ++i) {
        const bool today = i % 4 == 0;
        const std::string runDate =
            today ? "3/5/2000" : "3/" + std::to_string(6 + i % 20) + "/2000";
        list.addLoadedRow({"Entry " + std::to_string(i), runTimeText(10 + i % 12, i % 60, i % 60),
                           runDate, "1", freqs[i % 3],
                           "C:\\Macros\\entry" + std::to_string(i) + ".kyr", "False",
                           i % 10 == 0 ? "some notes, with a comma" : ""});
    }
}

void BM_IdlePass(benchmark::State& state) {
    MemoryFileStore files;
    ScheduleDatabase database(files, "C:\\Keyreel\\macro.kdb");
    ScheduleList list;
    fillSchedule(list);
    SimulatedClock clock;
    clock.set({2000, 3, 5, 9, 0, 0});
    IdleActions actions;
    SchedulePass pass(list, database, clock, actions);

    const std::int64_t before = allocationCount.load();
    for (auto _ : state)
        pass.checkTheSchedule();
    const std::int64_t allocations = allocationCount.load() - before;

    if (files.writes != 0 || actions.calls != 0)
        state.SkipWithError("something was due");
    state.counters["allocs"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
    state.SetItemsProcessed(state.iterations() * kEntries);
}
BENCHMARK(BM_IdlePass)->Unit(benchmark::kMicrosecond);

std::string benchPath() {
    const auto u8 = (std::filesystem::temp_directory_path() / "keyreel-bench-macro.kdb").u8string();
    return std::string(u8.begin(), u8.end());
}

void BM_LoadSchedule(benchmark::State& state) {
    LocalFileStore files;
    ScheduleDatabase database(files, benchPath());
    {
        ScheduleList list;
        fillSchedule(list);
        database.saveSchedule(list);
    }
    const std::int64_t before = allocationCount.load();
    for (auto _ : state) {
        ScheduleList list;
        const ScheduleLoad load = database.loadSchedule(list);
        if (load.rowsRead != kEntries)
            state.SkipWithError("not every entry was read");
        benchmark::DoNotOptimize(list.rowCount());
    }
    state.counters["allocs"] = benchmark::Counter(
        static_cast<double>(allocationCount.load() - before), benchmark::Counter::kAvgIterations);
    state.SetItemsProcessed(state.iterations() * kEntries);
    std::filesystem::remove(pathFromUtf8(database.path()));
}
BENCHMARK(BM_LoadSchedule)->Unit(benchmark::kMillisecond);

void BM_SaveSchedule(benchmark::State& state) {
    LocalFileStore files;
    ScheduleDatabase database(files, benchPath());
    ScheduleList list;
    fillSchedule(list);
    for (auto _ : state) {
        if (database.saveSchedule(list) != ScheduleSaveResult::Saved) {
            state.SkipWithError("the save failed");
        }
    }
    state.SetItemsProcessed(state.iterations() * kEntries);
    std::filesystem::remove(pathFromUtf8(database.path()));
}
BENCHMARK(BM_SaveSchedule)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace keyreel

BENCHMARK_MAIN();
