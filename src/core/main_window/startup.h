#pragma once

// What the program does when it starts, decided from the command line and the
// start-up settings.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace keyreel {

// The whole command line is one macro file path. Explorer wraps a path in
// double quotes; one enclosing pair is removed, surrounding blanks too.
std::string macroPathFromCommandLine(std::string_view commandLine);

// The command line a second copy hands to the running copy: the file named
// by its full path, since the running copy's current folder may be another
// one. `fullPath` resolves a path in the second copy's current folder and
// answers empty when it cannot. Empty when there is no file to hand over.
std::string handOverCommandLine(std::string_view commandLine,
                                const std::function<std::string(const std::string&)>& fullPath);

struct StartupPlan {
    bool hideToTray = true;  // no file: start as an icon with an empty list
    std::string macroPath;   // otherwise: show the window and load this file
    bool play = false;       // play it once loaded
    bool countdown = false;  // count down first (only when playing)
    std::int32_t countdownSeconds = 0;
};

StartupPlan planStartup(std::string_view commandLine, bool playLoaded, bool pauseEnabled,
                        std::int32_t pauseSeconds);

}  // namespace keyreel
