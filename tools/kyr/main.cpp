// kyr: command-line companion of Keyreel. Shows what a macro will do without
// touching the desktop, and points out lines that are probably mistakes.

#include <iostream>
#include <string>
#include <vector>

#include "arguments.h"
#include "lint.h"
#include "schedule.h"
#include "trace.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv) {
    using keyreel::KyrRequest;
    const KyrRequest request =
        keyreel::parseKyrArguments(std::vector<std::string>(argv + 1, argv + argc));
    switch (request.kind) {
        case KyrRequest::Kind::Trace:
            return keyreel::runTrace(request.trace, std::cout, std::cerr);
        case KyrRequest::Kind::Lint:
            return keyreel::runLint(request.lintPath, std::cout, std::cerr);
        case KyrRequest::Kind::Schedule:
#ifdef _WIN32
            // The database is printed byte for byte, CR LF included.
            _setmode(_fileno(stdout), _O_BINARY);
#endif
            return keyreel::runSchedule(request.schedule, std::cout, std::cerr);
        case KyrRequest::Kind::Help:
            std::cout << keyreel::kKyrUsage;
            return 0;
        case KyrRequest::Kind::Wrong:
            break;
    }
    std::cerr << "kyr: " << request.problem << '\n' << request.usage;
    return 2;
}
