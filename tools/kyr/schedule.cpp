#include "schedule.h"

#include <optional>

#include "arguments.h"
#include "core/base/file_store.h"
#include "core/base/memory_file_store.h"
#include "core/base/text.h"
#include "core/macro/line_syntax.h"
#include "core/schedule/schedule_database.h"
#include "core/schedule/schedule_pass.h"

namespace keyreel {

namespace {

// Enough for about eleven days at the default tick; more takes minutes.
constexpr std::int64_t kMaxPasses = 10'000'000;

// Prints what fires; plays nothing.
class PrintingActions final : public ScheduleActions {
  public:
    PrintingActions(Clock& clock, std::ostream& out, std::ostream& err)
        : clock_(clock), out_(out), err_(err) {}

    void entryFired(const ScheduleEntry& entry) override {
        out_ << "fire " << quoted(entry.descr) << " at " << localDateTimeText(clock_.now()) << '\n';
    }
    FilePlayResult playMacroFile(const std::string&, const FilePlayStarting& starting) override {
        starting();
        return FilePlayResult::Played;
    }
    void scheduleSaved(ScheduleSaveResult result) override {
        if (result != ScheduleSaveResult::Saved)
            err_ << "kyr: the simulated database could not be saved\n";
    }

  private:
    Clock& clock_;
    std::ostream& out_;
    std::ostream& err_;
};

std::int64_t millisOf(const LocalDateTime& time) {
    SimulatedClock clock;
    clock.set(time);
    return clock.millis;
}

int problem(std::ostream& err, const std::string& text) {
    err << "kyr: " << text << '\n' << kScheduleUsage;
    return 2;
}

}  // namespace

int runSchedule(const ScheduleOptions& options, std::ostream& out, std::ostream& err) {
    const std::int64_t first = millisOf(options.from);
    const std::int64_t last = millisOf(options.to);
    if (last < first)
        return problem(err, "--to lies before --from");
    if (options.tickMillis < 1)
        return problem(err, "--tick takes a whole number of milliseconds from 1");
    const std::int64_t passes = (last - first) / options.tickMillis + 1;
    if (passes > kMaxPasses) {
        return problem(err, "--from to --to takes " + std::to_string(passes) +
                                " passes, more than " + std::to_string(kMaxPasses) +
                                ": give a larger --tick");
    }

    LocalFileStore disk;
    if (const auto size = disk.fileSize(options.path); size && *size > kLargestReadFile) {
        err << "kyr: schedule file '" << options.path << "' is larger than 64 MB\n";
        return 2;
    }
    const auto bytes = disk.readAll(options.path);
    if (!bytes) {
        err << "kyr: cannot read schedule file '" << options.path << "'\n";
        return 2;
    }
    // The simulation saves into memory only: the file itself is never written.
    MemoryFileStore memory;
    memory.files[options.path] = *bytes;
    ScheduleDatabase database(memory, options.path);
    ScheduleList list;
    const ScheduleLoad load = database.loadSchedule(list);
    if (load.status == ScheduleLoadStatus::Stopped) {
        err << "kyr: " << options.path << ':' << load.stoppedAtLine
            << ": this record cannot be read; simulating the " << load.rowsRead
            << (load.rowsRead == 1 ? " entry" : " entries") << " before it\n";
    }

    SimulatedClock clock;
    PrintingActions actions(clock, out, err);
    SchedulePass pass(list, database, clock, actions);
    for (std::int64_t i = 0; i < passes; ++i) {
        clock.millis = first + i * options.tickMillis;
        pass.checkTheSchedule();
    }
    out << "database:\n" << database.fileBytes(list);
    return 0;
}

}  // namespace keyreel
