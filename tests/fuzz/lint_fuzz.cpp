// The lint of a whole macro text, whatever the text: findings come in line
// order and name lines the text has.

#include "core/base/text.h"
#include "core/macro/lint.h"
#include "fuzz_check.h"

FUZZ_TARGET(text) {
    const auto lines = static_cast<int>(keyreel::splitLines(text).size());
    int previous = 1;
    for (const keyreel::LintFinding& finding : keyreel::lintMacroText(text)) {
        FUZZ_CHECK(finding.line >= previous && finding.line <= lines && !finding.message.empty());
        previous = finding.line;
    }
}
