#include "trace.h"

#include <optional>

#include "core/base/file_store.h"
#include "core/macro/macro_file.h"
#include "core/macro/player.h"
#include "core/macro/simulated_desktop.h"
#include "macro_read.h"

namespace keyreel {

namespace {

// Processing points in a row without a printed line (every line played is
// one) after which a run is taken for one that never ends: a bare Loop, a
// block of lines that do nothing, a window that never comes. A real window
// search would have polled for hours by then.
constexpr std::int64_t kQuietStepLimit = 1'000'000;

void printStop(SimulatedDesktop::Limit limit, const TraceOptions& options, std::ostream& out) {
    if (limit == SimulatedDesktop::Limit::Lines) {
        out << "stopped after " << options.maxEvents
            << " events: the macro does not end by itself (see --max-events)\n";
    } else {
        out << "stopped after " << kQuietStepLimit
            << " steps without output: the macro does not end by itself\n";
    }
}

}  // namespace

int runTrace(const TraceOptions& options, std::ostream& out, std::ostream& err) {
    SimulatedDesktop desktop;
    desktop.windows = options.windows;
    desktop.questionAnswer = options.answerNo ? MessageAnswer::No : MessageAnswer::Yes;

    LocalFileStore files;
    MacroList list;
    if (!readMacroFile(MacroFiles(files).loadList(options.path, list), options.path, err))
        return 2;

    RunState state;
    state.macroLineCount = static_cast<std::int32_t>(list.size());
    std::optional<SimulatedDesktop::Limit> stoppedBy;
    desktop.lineLimit = options.maxEvents;
    desktop.quietStepLimit = kQuietStepLimit;
    desktop.onLimit = [&](SimulatedDesktop::Limit limit) {
        stoppedBy = limit;
        state.stopRequested = true;
    };

    Player(list, state, desktop).runMacro();

    for (const std::string& event : desktop.events())
        out << event << '\n';
    if (stoppedBy)
        printStop(*stoppedBy, options, out);
    return 0;
}

}  // namespace keyreel
