// Command lines from outside: kyr's arguments, and the payload a second copy
// hands over to the running one (read as a command line of the program).

#include "arguments.h"
#include "core/base/text.h"
#include "core/main_window/hand_over_payload.h"
#include "core/main_window/startup.h"
#include "fuzz_check.h"

FUZZ_TARGET(bytes) {
    using namespace keyreel;
    // The arguments are the input's pieces between NUL bytes.
    const std::vector<std::string> args = piecesOf(bytes, '\0');
    const KyrRequest request = parseKyrArguments(args);
    const TraceOptions& trace = request.trace;
    using enum KyrRequest::Kind;
    FUZZ_CHECK(request.kind != Trace ||
               (!trace.path.empty() && trace.maxEvents >= 1 && trace.maxEvents <= 1000000000));
    FUZZ_CHECK(request.kind != Lint || args.size() == 2);
    FUZZ_CHECK(request.kind != Schedule ||
               (!request.schedule.path.empty() && request.schedule.tickMillis >= 1));
    FUZZ_CHECK(request.kind != Wrong || !request.problem.empty());

    const auto commandLine = handedOverCommandLine(kHandOverTag, bytes);
    FUZZ_CHECK(commandLine.has_value() ==
               (bytes.size() % 2 == 0 && bytes.size() <= kLongestHandOverBytes));
    if (commandLine) {
        FUZZ_CHECK(isValidUtf8(*commandLine));
        FUZZ_CHECK(macroPathFromCommandLine(*commandLine).size() <= commandLine->size());
    }
}
