// The lint of a whole macro text, whatever the text: findings come in line
// order and name lines the text has.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/base/text.h"
#include "core/macro/lint.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto lines = static_cast<int>(keyreel::splitLines(text).size());
    int previous = 1;
    for (const keyreel::LintFinding& finding : keyreel::lintMacroText(text)) {
        FUZZ_CHECK(finding.line >= previous && finding.line <= lines);
        FUZZ_CHECK(!finding.message.empty());
        previous = finding.line;
    }
    return 0;
}
