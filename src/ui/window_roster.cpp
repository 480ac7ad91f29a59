#include "ui/window_roster.h"

#include <algorithm>

namespace keyreel::ui {

WindowRoster::WindowRoster(std::initializer_list<Window*> hideOrder,
                           std::initializer_list<Window*> keptByHide)
    : hideOrder_(hideOrder) {
    std::vector<Window*> all(hideOrder);
    all.insert(all.end(), keptByHide.begin(), keptByHide.end());
    for (Window* window : all) {
        window->setCreatedHandler([this, window] {
            std::erase(creationOrder_, window);
            creationOrder_.push_back(window);
        });
    }
}

std::vector<Window*> WindowRoster::loadedNewestFirst() const {
    std::vector<Window*> loaded;
    for (auto it = creationOrder_.rbegin(); it != creationOrder_.rend(); ++it) {
        if ((*it)->loaded())
            loaded.push_back(*it);
    }
    return loaded;
}

bool WindowRoster::unloadAll() {
    // Taken afresh for every window: unloading one may run messages that
    // open or close others.
    for (std::vector<Window*> loaded = loadedNewestFirst(); !loaded.empty();
         loaded = loadedNewestFirst()) {
        if (!loaded.front()->unload() || loaded.front()->loaded())
            return false;
    }
    return true;
}

void WindowRoster::unloadForHide() {
    for (Window* window : hideOrder_) {
        if (window->loaded())
            window->unload();
    }
}

}  // namespace keyreel::ui
