#include "lint.h"

#include "core/base/file_store.h"
#include "core/macro/macro_file.h"
#include "macro_read.h"

namespace keyreel {

int runLint(const std::string& path, std::ostream& out, std::ostream& err) {
    LocalFileStore store;
    std::string text;
    if (!readMacroFile(MacroFiles(store).readText(path, text), path, err))
        return 2;
    const auto findings = lintMacroText(text);
    for (const LintFinding& finding : findings) {
        out << path << ':' << finding.line << ": " << finding.message << '\n';
    }
    return findings.empty() ? 0 : 1;
}

}  // namespace keyreel
