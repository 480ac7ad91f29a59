#include "arguments.h"

#include <optional>

#include "core/base/number.h"

namespace keyreel {

namespace {

KyrRequest wrong(std::string problem, const char* usage = kKyrUsage) {
    KyrRequest request;
    request.problem = std::move(problem);
    request.usage = usage;
    return request;
}

KyrRequest traceRequest(const std::vector<std::string>& args) {
    KyrRequest request;
    request.kind = KyrRequest::Kind::Trace;
    TraceOptions& options = request.trace;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasNext = i + 1 < args.size();
        if (arg == "--window" && hasNext) {
            options.windows.push_back(args[++i]);
        } else if (arg == "--answer" && hasNext) {
            const std::string& answer = args[++i];
            if (answer != "yes" && answer != "no")
                return wrong("--answer takes yes or no");
            options.answerNo = answer == "no";
        } else if (arg == "--max-events" && hasNext) {
            const auto limit = parseNumber(args[++i], 1, 1000000000);
            if (!limit)
                return wrong("--max-events takes a whole number from 1");
            options.maxEvents = *limit;
        } else if (options.path.empty() && !arg.starts_with("--")) {
            options.path = arg;
        } else {
            return wrong("unexpected argument '" + arg + "'");
        }
    }
    if (options.path.empty())
        return wrong("trace needs a macro file");
    return request;
}

KyrRequest scheduleRequest(const std::vector<std::string>& args) {
    KyrRequest request;
    request.kind = KyrRequest::Kind::Schedule;
    ScheduleOptions& options = request.schedule;
    std::optional<LocalDateTime> from;
    std::optional<LocalDateTime> to;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasNext = i + 1 < args.size();
        if ((arg == "--from" || arg == "--to") && hasNext) {
            const std::string& value = args[++i];
            const auto time = parseLocalDateTime(value);
            if (!time) {
                return wrong(
                    arg + " '" + value + "' is no date and time of the form M/D/YYYY H:MM:SS",
                    kScheduleUsage);
            }
            (arg == "--from" ? from : to) = time;
        } else if (arg == "--tick" && hasNext) {
            const auto tick = parseNumber(args[++i], 1, 86'400'000);
            if (!tick || args[i].find('.') != std::string::npos)
                return wrong("--tick takes a whole number of milliseconds from 1", kScheduleUsage);
            options.tickMillis = *tick;
        } else if (options.path.empty() && !arg.starts_with("--")) {
            options.path = arg;
        } else {
            return wrong("unexpected argument '" + arg + "'", kScheduleUsage);
        }
    }
    if (options.path.empty())
        return wrong("schedule needs a schedule file", kScheduleUsage);
    if (!from || !to)
        return wrong("schedule needs --from and --to", kScheduleUsage);
    options.from = *from;
    options.to = *to;
    return request;
}

}  // namespace

KyrRequest parseKyrArguments(const std::vector<std::string>& args) {
    if (args.empty())
        return wrong("no command given");
    const std::string& command = args[0];
    if (command == "trace")
        return traceRequest(args);
    if (command == "lint") {
        if (args.size() != 2)
            return wrong("lint takes one macro file");
        KyrRequest request;
        request.kind = KyrRequest::Kind::Lint;
        request.lintPath = args[1];
        return request;
    }
    if (command == "schedule")
        return scheduleRequest(args);
    if (command == "--help" || command == "-h") {
        KyrRequest request;
        request.kind = KyrRequest::Kind::Help;
        return request;
    }
    return wrong("unknown command '" + command + "'");
}

}  // namespace keyreel
