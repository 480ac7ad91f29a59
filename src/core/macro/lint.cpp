#include "core/macro/lint.h"

#include <algorithm>

#include "core/base/text.h"
#include "core/macro/command_table.h"
#include "core/macro/line_syntax.h"

namespace keyreel {

namespace {

std::string q(std::string_view text) {
    std::string quotedText;
    quotedText.reserve(text.size() + 2);
    quotedText.append(1, '\'').append(text).append(1, '\'');
    return quotedText;
}

// Edit distance with transpositions (optimal string alignment).
std::size_t editDistance(std::string_view a, std::string_view b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    for (std::size_t j = 0; j <= b.size(); ++j)
        d[0][j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

// The command word a mistyped word most likely means: the same letters in
// another case, else the nearest word one or two edits away.
std::string_view likelyCommand(std::string_view word) {
    const std::string lower = toLowerAscii(word);
    const std::size_t allowed = word.size() >= 6 ? 2 : (word.size() >= 3 ? 1 : 0);
    std::string_view best;
    std::size_t bestDistance = allowed + 1;
    for (const CommandInfo& command : commandTable()) {
        // The difference in length is the least distance: a long word (a
        // line of garbage) is measured against no command at all.
        const std::size_t length = command.word.size();
        if (std::max(lower.size(), length) - std::min(lower.size(), length) >= bestDistance)
            continue;
        const std::size_t distance = editDistance(lower, toLowerAscii(command.word));
        if (distance < bestDistance) {
            best = command.word;
            bestDistance = distance;
        }
    }
    return best;
}

bool isSilentWord(std::string_view word) {
    const auto words = silentWords();
    return std::find(words.begin(), words.end(), word) != words.end();
}

void checkValue(const CommandInfo& command, std::string_view line, std::vector<std::string>& out) {
    const std::string_view value = lineValue(line);
    if (command.kind == CommandKind::Wait || command.kind == CommandKind::Repeat) {
        if (!parseCount(value)) {
            out.push_back(q(command.word) + " value " + q(value) + " is not a whole number" +
                          (command.kind == CommandKind::Wait ? ": it will not wait"
                                                             : ": the block will play once"));
        }
    } else if (command.kind == CommandKind::MouseMove && !parseScreenPoint(value)) {
        out.push_back("'MouseMove' value " + q(value) +
                      " is no usable x,y point: the pointer will not move");
    }
}

void checkOutsideWord(std::string_view word, std::string_view line, bool lineHasValue,
                      std::vector<std::string>& out) {
    if (const CommandInfo* command = findCommand(word)) {
        if (command->takesValue && !lineHasValue) {
            out.push_back(q(word) + " has no '>' value: it will use the whole line " + q(line) +
                          " as its value");
        }
        checkValue(*command, line, out);
        return;
    }
    if (isSilentWord(word)) {
        out.push_back(q(word) + " is no command word and plays as nothing");
        return;
    }
    const auto marker = word.find('>');
    if (marker != std::string_view::npos && findCommand(word.substr(0, marker))) {
        out.push_back(
            q(word) + " is no command word: write " +
            q(std::string(word.substr(0, marker)) + " " + std::string(word.substr(marker))));
        return;
    }
    const std::string_view likely = likelyCommand(word);
    out.push_back(q(word) + " is no command word" +
                  (likely.empty() ? std::string() : "; did you mean " + q(likely) + "?"));
}

std::vector<std::string> lintLine(std::string_view line) {
    std::vector<std::string> messages;
    const std::size_t valueStart = line.find('>');
    std::string_view rest = line;
    std::size_t offset = 0;
    while (!rest.empty()) {
        const std::string_view word = nextToken(rest, ' ');
        const std::size_t start = offset;
        offset += word.size() + 1;
        if (word.empty())
            continue;
        if (valueStart != std::string_view::npos && start >= valueStart) {
            if (findCommand(word)) {
                messages.push_back(q(word) + " inside the value will also run as a command");
            }
            continue;
        }
        checkOutsideWord(word, line, valueStart != std::string_view::npos, messages);
    }
    return messages;
}

}  // namespace

std::vector<LintFinding> lintMacroText(std::string_view text) {
    std::vector<LintFinding> findings;
    int lineNumber = 0;
    for (const std::string_view line : splitLines(text)) {
        ++lineNumber;
        for (std::string& message : lintLine(line))
            findings.push_back({lineNumber, std::move(message)});
    }
    return findings;
}

}  // namespace keyreel
