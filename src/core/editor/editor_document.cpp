#include "core/editor/editor_document.h"

#include <algorithm>
#include "core/base/message_texts.h"

#include "core/base/product_texts.h"
#include "core/base/text.h"
#include "core/macro/command_table.h"

namespace keyreel {

namespace {

FileDialogRequest openDialog() {
    return {FileDialogRequest::Kind::Open, "Text Files (*.txt)|*.txt|Tobrin Files (*.kyr)|*.kyr|",
            2};
}

// The file ends with a line end; one is added only where the text has none,
// so opening and saving a file again and again does not grow it.
std::string fileContent(std::string_view text) {
    std::string content(text);
    if (!content.ends_with("\r\n"))
        content += "\r\n";
    return content;
}

}  // namespace

std::vector<std::string_view> mainCommandListWords() {
    return builderCommandWords();
}

void EditorDocument::copyList(std::span<const std::string_view> words) {
    commandWords_.assign(words.begin(), words.end());
}

void EditorDocument::appendCommand(std::string_view word) {
    const CommandInfo* command = findCommand(word);
    std::string added(word);
    if (command && command->takesValue)
        added += " >";
    added += "\r\n";
    text_ += added;
    if (observer_)
        observer_->textAppended(added);
}

std::string EditorDocument::title() const {
    return titleName_.empty() ? std::string(kAppTitle) : std::string(kAppTitle) + ": " + titleName_;
}

void EditorDocument::newText() {
    if (!settleChanges())
        return;
    text_.clear();
    savedText_.clear();
    fileName_.clear();
    fromMarked_ = false;
    if (observer_)
        observer_->textReplaced();
    setTitleName(kUntitled);
}

void EditorDocument::open() {
    if (const auto path = services_.chooseFile(openDialog()))
        openFile(*path);
}

void EditorDocument::openFile(const std::string& path) {
    // Nothing is asked about the text for a file that will not load. The
    // file is read again after the question, whose Yes may have saved into it.
    if (titleName_ == path || !readFile(path) || !settleChanges())
        return;
    // The title and the name the questions use would claim a file whose
    // text is not shown; a later Yes would then write this text over it.
    const auto fileText = readFile(path);
    if (!fileText)
        return;
    text_ = withCrLfLineEnds(*fileText);
    savedText_ = text_;
    fileName_ = path;
    fromMarked_ = services_.files.webMarked(path);
    if (observer_)
        observer_->textReplaced();
    setTitleName(path);
    addRecentFile(path);
}

std::optional<std::string> EditorDocument::readFile(const std::string& path) {
    std::string text;
    if (!tellIfUnread(services_.boxes, path, services_.files.readText(path, text)))
        return std::nullopt;
    return text;
}

void EditorDocument::setTitleName(const std::string& name) {
    titleName_ = name;
    if (observer_)
        observer_->titleChanged();
}

void EditorDocument::saveAs() {
    if (const auto path = services_.chooseFile(macroFileSaveDialog()))
        saveTo(*path, true);
}

bool EditorDocument::closeSave() {
    const auto path = services_.chooseFile(macroFileSaveDialog());
    return path && saveTo(*path, *path != fileName_) == SaveOutcome::Saved;
}

bool EditorDocument::settleChanges() {
    if (!modified())
        return true;
    const MessageAnswer answer =
        services_.boxes.showMessage({fillIn(kSaveChangesText, {fileName()}), kAppTitle,
                                     MessageButtons::YesNoCancel, MessageIcon::Question});
    return mayCloseAfterAnswer(answer, [&] { return saveChanges(); });
}

bool EditorDocument::saveChanges() {
    if (!fileName_.empty())
        return saveTo(fileName_, false) == SaveOutcome::Saved;
    const auto path = services_.chooseFile(macroFileSaveDialog());
    return path && saveTo(*path, true) == SaveOutcome::Saved;
}

SaveOutcome EditorDocument::saveTo(const std::string& path, bool askBeforeReplacing) {
    const std::string content = fileContent(text_);
    const SaveOutcome outcome =
        saveAfterAsking(services_.boxes, askBeforeReplacing && services_.files.exists(path),
                        [&] { return services_.files.write(path, content, fromMarked_); });
    if (services_.resetMacroLineCount)
        services_.resetMacroLineCount();
    if (outcome == SaveOutcome::Saved) {
        savedText_ = text_;
        fileName_ = path;
        fromMarked_ = fromMarked_ || services_.files.webMarked(path);
        if (titleName_ != path)
            setTitleName(path);
    }
    return outcome;
}

void EditorDocument::addRecentFile(const std::string& path) {
    if (std::find(recentFiles_.begin(), recentFiles_.end(), path) != recentFiles_.end())
        return;
    recentFiles_.push_back(path);
    if (observer_)
        observer_->recentFilesChanged();
}

}  // namespace keyreel
