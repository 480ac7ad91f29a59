#include "core/main_window/macro_builder.h"

#include <utility>

namespace keyreel {

namespace {

// From End_Repeat on, the chooser's words take no value.
constexpr std::int64_t kFirstBarePosition = 10;

bool takesDefaultOne(std::string_view word, std::string_view value) {
    return (word == "Wait" || word == "Repeat") && (value.empty() || value == " ");
}

}  // namespace

std::optional<std::string> composeLine(const BuilderEntry& entry) {
    if (entry.word.empty())
        return std::nullopt;
    std::string line(entry.word);
    if (entry.position >= kFirstBarePosition)
        return line;
    line += " >";
    line += takesDefaultOne(entry.word, entry.value) ? std::string_view("1") : entry.value;
    return line;
}

std::string listTipText(const MacroList& list, std::int64_t nearestIndex, bool insideList) {
    if (!insideList || nearestIndex < 0 || nearestIndex >= static_cast<std::int64_t>(list.size()))
        return {};
    return list[static_cast<std::size_t>(nearestIndex)];
}

void MacroBuilder::countLines() {
    model_.resetMacroLineCount();
}

void MacroBuilder::add(const BuilderEntry& entry) {
    countLines();
    if (auto line = composeLine(entry))
        model_.appendLine(std::move(*line));
}

void MacroBuilder::insert(std::int64_t selected, const BuilderEntry& entry) {
    countLines();
    if (selected < 0 || selected >= static_cast<std::int64_t>(model_.list().size()))
        return;
    if (auto line = composeLine(entry))
        model_.insertLine(static_cast<std::size_t>(selected), std::move(*line));
}

void MacroBuilder::deleteLine(std::int64_t selected) {
    if (selected < 0 || !model_.removeLine(static_cast<std::size_t>(selected)))
        return;
    countLines();
}

SaveOutcome MacroBuilder::save(const std::string& path) {
    // The list is read when the file is written, after the question: a play
    // started meanwhile may have replaced it.
    return saveAfterAsking(boxes_, files_.exists(path), [&] {
        return files_.saveList(path, model_.list(), model_.listFromMarked());
    });
}

void MacroBuilder::load(const std::string& path) {
    tellIfUnread(boxes_, path, model_.loadList(path));
    countLines();
}

}  // namespace keyreel
