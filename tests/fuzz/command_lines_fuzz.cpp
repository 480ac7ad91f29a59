// Command lines from outside: kyr's arguments, and the payload a second copy
// hands over to the running one (read as a command line of the program).

#include "arguments.h"
#include "core/base/text.h"
#include "core/main_window/hand_over_payload.h"
#include "core/main_window/startup.h"
#include "fuzz_check.h"

namespace keyreel {
namespace {

// The arguments are the input's pieces between NUL bytes.
void checkKyrArguments(std::string_view bytes) {
    const std::vector<std::string_view> pieces = piecesOf(bytes, '\0');
    const std::vector<std::string> args(pieces.begin(), pieces.end());
    const KyrRequest request = parseKyrArguments(args);
    switch (request.kind) {
        case KyrRequest::Kind::Trace:
            FUZZ_CHECK(!request.trace.path.empty());
            FUZZ_CHECK(request.trace.maxEvents >= 1 && request.trace.maxEvents <= 1000000000);
            break;
        case KyrRequest::Kind::Lint:
            FUZZ_CHECK(args.size() == 2);
            break;
        case KyrRequest::Kind::Schedule:
            FUZZ_CHECK(!request.schedule.path.empty());
            FUZZ_CHECK(request.schedule.tickMillis >= 1);
            break;
        case KyrRequest::Kind::Help:
            break;
        case KyrRequest::Kind::Wrong:
            FUZZ_CHECK(!request.problem.empty());
            break;
    }
}

void checkHandOver(std::string_view bytes) {
    const auto commandLine = handedOverCommandLine(kHandOverTag, bytes);
    FUZZ_CHECK(commandLine.has_value() ==
               (bytes.size() % 2 == 0 && bytes.size() <= kLongestHandOverBytes));
    if (!commandLine)
        return;
    FUZZ_CHECK(isValidUtf8(*commandLine));
    const std::string path = macroPathFromCommandLine(*commandLine);
    FUZZ_CHECK(path.size() <= commandLine->size());
    (void)planStartup(*commandLine, true, true, 5);
}

}  // namespace
}  // namespace keyreel

FUZZ_TARGET(bytes) {
    keyreel::checkKyrArguments(bytes);
    keyreel::checkHandOver(bytes);
}
