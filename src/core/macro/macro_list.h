#pragma once

#include <string>
#include <vector>

namespace keyreel {

// The macro in memory: the main window's list, index 0 first.
using MacroList = std::vector<std::string>;

}  // namespace keyreel
