#include "core/main_window/main_model.h"

#include <cstddef>
#include <utility>

namespace keyreel {

void MainModel::setTitle(const char* title) {
    title_ = title;
    if (observer_)
        observer_->titleChanged(title_);
}

void MainModel::resetMacroLineCount() {
    run_.macroLineCount = static_cast<std::int32_t>(list_.size());
}

void MainModel::listReplaced(const std::string& source) {
    listSource_ = source;
    listFromMarked_ = !source.empty() && files_.webMarked(source);
    resetMacroLineCount();
    if (observer_)
        observer_->listChanged();
}

void MainModel::playBracketed() {
    if (playDepth_ >= kMaxNestedPlays)
        return;
    ++playDepth_;
    run_.stopRequested = false;
    setTitle(kPlayingTitle);
    player_.runMacro();
    setTitle(kIdleTitle);
    --playDepth_;
}

void MainModel::runList() {
    if (asked_ && !listSource_.empty() && !asked_->agreed(listSource_))
        return;
    playBracketed();
}

void MainModel::stop() {
    setTitle(kStoppedTitle);
    run_.stopRequested = true;
}

FilePlayResult MainModel::playMacroFile(const std::string& path, const FilePlayStarting& starting) {
    if (playing())
        return FilePlayResult::Busy;
    if (files_.loadList(path, list_) != MacroFileRead::Read)
        return FilePlayResult::Unreadable;
    listReplaced(path);
    if (starting)
        starting();
    playBracketed();
    return FilePlayResult::Played;
}

FilePlayResult MainModel::playAskedFile(const std::string& path) {
    if (playing())
        return FilePlayResult::Busy;
    if (asked_ && !asked_->agreed(path))
        return FilePlayResult::Downloaded;
    return playMacroFile(path);
}

MacroFileRead MainModel::loadList(const std::string& path) {
    const MacroFileRead read = files_.loadList(path, list_);
    if (read == MacroFileRead::Read)
        listReplaced(path);
    return read;
}

void MainModel::appendLine(std::string line) {
    list_.push_back(std::move(line));
    if (observer_)
        observer_->lineInserted(list_.size() - 1);
}

bool MainModel::insertLine(std::size_t index, std::string line) {
    if (index > list_.size())
        return false;
    list_.insert(list_.begin() + static_cast<std::ptrdiff_t>(index), std::move(line));
    if (observer_)
        observer_->lineInserted(index);
    return true;
}

bool MainModel::removeLine(std::size_t index) {
    if (index >= list_.size())
        return false;
    list_.erase(list_.begin() + static_cast<std::ptrdiff_t>(index));
    if (observer_)
        observer_->lineRemoved(index);
    return true;
}

void MainModel::clearList() {
    list_.clear();
    listSource_.clear();
    listFromMarked_ = false;
    if (observer_)
        observer_->listChanged();
}

}  // namespace keyreel
