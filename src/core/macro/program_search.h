#pragma once

// How the value of a RunProgram or ExecuteFile line becomes the file that is
// started or opened. Nothing is ever looked for in the current folder, which
// is whatever it happened to be: a bare program name is searched for in the
// system's own folders only, and every other relative path has one base, the
// folder of Keyreel's program. The platform supplies the folders and says
// which files exist; no platform type appears here.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace keyreel {

struct ProgramPlaces {
    std::string systemFolder;   // C:\Windows\System32
    std::string windowsFolder;  // C:\Windows
    std::string path;           // the PATH variable, entries separated by ';'
    std::string programFolder;  // the folder of Keyreel's own program
    // True when the path names an existing file (not a folder).
    std::function<bool(const std::string&)> isFile;
};

struct ProgramStart {
    std::string program;    // the full path of the program file
    std::string arguments;  // the rest of the value, as written
    std::string folder;     // the started program's current folder

    // The command line the program receives: its quoted path, then the
    // arguments.
    std::string commandLine() const;
};

// A blank value, or an empty pair of quotes, names no program at all:
// nothing is started and nothing needs telling.
bool namesNoProgram(std::string_view value);

// Of a value with blanks, the longest leading part that names an existing
// file is the program and the rest its arguments; a quoted leading part is
// the program whole. Nothing when no part names a file.
std::optional<ProgramStart> findProgram(std::string_view value, const ProgramPlaces& places);

// The path the shell is asked to open: absolute paths and addresses such as
// "https://..." as written; a bare program name (.exe, .com, .bat, .cmd or
// none) where findProgram finds it, and nowhere else; any other relative
// path in the program's folder. Nothing when there is no such program.
std::optional<std::string> documentPath(std::string_view value, const ProgramPlaces& places);

}  // namespace keyreel
