// kyr: command-line companion of Keyreel. Shows what a macro will do without
// touching the desktop, and points out lines that are probably mistakes.

#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "core/macro/line_syntax.h"
#include "lint.h"
#include "schedule.h"
#include "trace.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

constexpr const char* kUsage =
    "usage:\n"
    "  kyr trace FILE [--window TITLE]... [--answer yes|no] [--max-events N]\n"
    "  kyr lint FILE\n"
    "  kyr schedule FILE --from \"M/D/YYYY H:MM:SS\" --to \"M/D/YYYY H:MM:SS\" [--tick MS]\n";

int usage(std::string_view problem) {
    std::cerr << "kyr: " << problem << '\n' << kUsage;
    return 2;
}

int trace(int argc, char** argv) {
    keyreel::TraceOptions options;
    for (int i = 2; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const bool hasNext = i + 1 < argc;
        if (arg == "--window" && hasNext) {
            options.windows.emplace_back(argv[++i]);
        } else if (arg == "--answer" && hasNext) {
            const std::string_view answer = argv[++i];
            if (answer != "yes" && answer != "no")
                return usage("--answer takes yes or no");
            options.answerNo = answer == "no";
        } else if (arg == "--max-events" && hasNext) {
            const auto limit = keyreel::parseNumber(argv[++i], 1, 1000000000);
            if (!limit)
                return usage("--max-events takes a whole number from 1");
            options.maxEvents = *limit;
        } else if (options.path.empty() && !arg.starts_with("--")) {
            options.path = arg;
        } else {
            return usage("unexpected argument '" + std::string(arg) + "'");
        }
    }
    if (options.path.empty())
        return usage("trace needs a macro file");
    return keyreel::runTrace(options, std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return usage("no command given");
    const std::string_view command = argv[1];
    if (command == "trace")
        return trace(argc, argv);
    if (command == "lint") {
        if (argc != 3)
            return usage("lint takes one macro file");
        return keyreel::runLint(argv[2], std::cout, std::cerr);
    }
    if (command == "schedule") {
#ifdef _WIN32
        // The database is printed byte for byte, CR LF included.
        _setmode(_fileno(stdout), _O_BINARY);
#endif
        return keyreel::runScheduleCommand(std::vector<std::string>(argv + 2, argv + argc),
                                           std::cout, std::cerr);
    }
    if (command == "--help" || command == "-h") {
        std::cout << kUsage;
        return 0;
    }
    return usage("unknown command '" + std::string(command) + "'");
}
