#include "trace.h"

#include "core/base/file_store.h"
#include "core/macro/macro_file.h"
#include "core/macro/player.h"
#include "core/macro/simulated_desktop.h"

namespace keyreel {

int runTrace(const TraceOptions& options, std::ostream& out, std::ostream& err) {
    SimulatedDesktop desktop;
    desktop.windows = options.windows;
    desktop.questionAnswer = options.answerNo ? MessageAnswer::No : MessageAnswer::Yes;

    LocalFileStore files;
    MacroList list;
    if (!MacroFiles(files).loadList(options.path, list)) {
        err << "kyr: cannot read macro file '" << options.path << "'\n";
        return 2;
    }

    RunState state;
    state.macroLineCount = static_cast<std::int32_t>(list.size());
    bool stoppedByLimit = false;
    desktop.requestLimit = options.maxEvents;
    desktop.onLimit = [&] {
        stoppedByLimit = true;
        state.stopRequested = 1;
    };

    Player(list, state, desktop).runMacro();

    for (const std::string& event : desktop.events())
        out << event << '\n';
    if (stoppedByLimit) {
        out << "stopped after " << options.maxEvents
            << " events: the macro does not end by itself (see --max-events)\n";
    }
    return 0;
}

}  // namespace keyreel
