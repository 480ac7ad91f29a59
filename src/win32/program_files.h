#pragma once

// What the program knows about itself: its folder, where the files that
// belong beside it live (its help, its schedule database), and its version.

#include <optional>
#include <string>
#include <string_view>

namespace keyreel::win32 {

// The full path of `name` in the folder of the running program.
std::wstring besideProgram(std::wstring_view name);

struct ProgramVersion {
    int major;
    int minor;
    int revision;
};

// The first three parts of the file version in the program's version
// resource; nothing when it has none.
std::optional<ProgramVersion> programVersion();

}  // namespace keyreel::win32
