#pragma once

#include <ostream>
#include <string>

#include "core/macro/macro_file.h"

namespace keyreel {

// Prints why a macro file was not read; true when it was.
inline bool readMacroFile(MacroFileRead read, const std::string& path, std::ostream& err) {
    switch (read) {
        case MacroFileRead::Read:
            return true;
        case MacroFileRead::Unreadable:
            err << "kyr: cannot read macro file '" << path << "'\n";
            break;
        case MacroFileRead::NulCharacters:
            err << "kyr: macro file '" << path << "' contains NUL characters\n";
            break;
        case MacroFileRead::TooLarge:
            err << "kyr: macro file '" << path << "' is larger than 64 MB\n";
            break;
    }
    return false;
}

}  // namespace keyreel
