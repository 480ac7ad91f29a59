#pragma once

// What in a macro text is probably a mistake: words that are no command
// words, value commands without '>', values the player cannot use, command
// words inside values. The kyr tool and the editor's Check share these rules.

#include <string>
#include <string_view>
#include <vector>

namespace keyreel {

struct LintFinding {
    int line;  // 1-based; CR LF, CR and LF each end a line
    std::string message;
    bool operator==(const LintFinding&) const = default;
};

// The findings of a whole macro text, in line order. The text is not changed.
std::vector<LintFinding> lintMacroText(std::string_view text);

}  // namespace keyreel
