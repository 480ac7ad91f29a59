#include "core/main_window/startup.h"

#include "core/base/text.h"

namespace keyreel {

std::string macroPathFromCommandLine(std::string_view commandLine) {
    commandLine = trimBlanks(commandLine);
    if (commandLine.size() >= 2 && commandLine.front() == '"' && commandLine.back() == '"') {
        commandLine = commandLine.substr(1, commandLine.size() - 2);
    }
    return std::string(commandLine);
}

std::string handOverCommandLine(std::string_view commandLine,
                                const std::function<std::string(const std::string&)>& fullPath) {
    const std::string path = macroPathFromCommandLine(commandLine);
    if (path.empty())
        return {};
    const std::string full = fullPath(path);
    // A path holds no double quote, so the pair is always the enclosing one.
    return full.empty() ? std::string() : "\"" + full + "\"";
}

StartupPlan planStartup(std::string_view commandLine, bool playLoaded, bool pauseEnabled,
                        std::int32_t pauseSeconds) {
    StartupPlan plan;
    plan.macroPath = macroPathFromCommandLine(commandLine);
    if (plan.macroPath.empty())
        return plan;
    plan.hideToTray = false;
    plan.play = playLoaded;
    plan.countdown = playLoaded && pauseEnabled;
    plan.countdownSeconds = pauseSeconds;
    return plan;
}

}  // namespace keyreel
