#include "core/editor/check_list.h"

#include "core/base/text.h"

namespace keyreel {

std::vector<std::string> checkListRows(const std::vector<LintFinding>& findings) {
    if (findings.empty())
        return {kNoFindings};
    std::vector<std::string> rows;
    rows.reserve(findings.size());
    for (const LintFinding& finding : findings)
        rows.push_back("Line " + std::to_string(finding.line) + ": " + finding.message);
    return rows;
}

TextRange lineRange(std::string_view text, int line) {
    const std::vector<std::string_view> lines = splitLines(text);
    if (line < 1 || static_cast<std::size_t>(line) > lines.size()) {
        const std::size_t end = utf16Length(text);
        return {end, end};
    }
    const std::string_view wanted = lines[static_cast<std::size_t>(line) - 1];
    // The lines are views into the text, so the offset is where it starts.
    const auto offset = static_cast<std::size_t>(wanted.data() - text.data());
    const std::size_t start = utf16Length(text.substr(0, offset));
    return {start, start + utf16Length(wanted)};
}

}  // namespace keyreel
