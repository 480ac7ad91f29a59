#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace keyreel {

struct LintFinding {
    int line;  // 1-based line of the file
    std::string message;
};

// What in a macro text is probably a mistake, in line order.
std::vector<LintFinding> lintMacroText(std::string_view text);

// Prints the findings for a file as FILE:LINE: message. Returns 0 when there
// is nothing to report, 1 when there is, 2 when the file cannot be read.
int runLint(const std::string& path, std::ostream& out, std::ostream& err);

}  // namespace keyreel
