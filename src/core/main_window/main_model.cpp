#include "core/main_window/main_model.h"

namespace keyreel {

void MainModel::setTitle(const char* title) {
    title_ = title;
    if (observer_)
        observer_->titleChanged(title_);
}

void MainModel::listReplaced() {
    run_.macroLineCount = static_cast<std::int32_t>(list_.size());
    if (observer_)
        observer_->listChanged();
}

void MainModel::playBracketed() {
    run_.stopRequested = 0;
    setTitle(kPlayingTitle);
    player_.runMacro();
    setTitle(kIdleTitle);
}

void MainModel::runList() {
    playBracketed();
}

void MainModel::stop() {
    setTitle(kStoppedTitle);
    run_.stopRequested = 1;
    playing_ = false;
}

void MainModel::playMacroFile(const std::string& path) {
    if (playing_)
        return;
    if (!files_.loadList(path, list_))
        return;
    listReplaced();
    playing_ = true;
    playBracketed();
    playing_ = false;
}

bool MainModel::loadList(const std::string& path) {
    if (!files_.loadList(path, list_))
        return false;
    listReplaced();
    return true;
}

}  // namespace keyreel
