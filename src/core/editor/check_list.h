#pragma once

// The editor's Check: the rows that list the lint findings of the text, and
// the part of the text a chosen finding selects.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/macro/lint.h"

namespace keyreel {

inline constexpr const char* kNoFindings = "No probable mistakes found.";

// "Line N: message" for each finding, or the one row kNoFindings.
std::vector<std::string> checkListRows(const std::vector<LintFinding>& findings);

// A stretch of text in UTF-16 code units, the positions edit controls use.
struct TextRange {
    std::size_t start = 0;
    std::size_t end = 0;
    bool operator==(const TextRange&) const = default;
};

// The 1-based line of the text without its line end, counted as the lint
// rules count lines; a line beyond the last gives the empty range at the end.
TextRange lineRange(std::string_view text, int line);

}  // namespace keyreel
