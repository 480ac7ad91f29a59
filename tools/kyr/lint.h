#pragma once

#include <ostream>
#include <string>

#include "core/macro/lint.h"

namespace keyreel {

// Prints the findings for a file as FILE:LINE: message. Returns 0 when there
// is nothing to report, 1 when there is, 2 when the file cannot be read or
// holds NUL characters.
int runLint(const std::string& path, std::ostream& out, std::ostream& err);

}  // namespace keyreel
