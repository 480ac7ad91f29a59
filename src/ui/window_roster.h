#pragma once

// The program's windows besides the main window, for the two commands that
// close them all: exit closes the loaded ones newest first, Hide closes them
// in its own fixed order. A window joins by its place in the roster's list;
// one that Hide keeps loaded (the scheduler) joins the second list.

#include <initializer_list>
#include <vector>

#include "ui/window.h"

namespace keyreel::ui {

class WindowRoster {
  public:
    // Every window, in the order Hide unloads them, then those that Hide
    // does not unload. The windows must outlive the roster.
    explicit WindowRoster(std::initializer_list<Window*> hideOrder,
                          std::initializer_list<Window*> keptByHide = {});
    WindowRoster(const WindowRoster&) = delete;
    WindowRoster& operator=(const WindowRoster&) = delete;

    // Unloads every loaded window, newest first. False as soon as one
    // refuses; it and the older ones stay.
    bool unloadAll();
    // Unloads the loaded windows in Hide's order; one that refuses stays.
    void unloadForHide();
    // The loaded windows, newest first.
    std::vector<Window*> loadedNewestFirst() const;

  private:
    std::vector<Window*> hideOrder_;
    // Oldest first; a window created again moves to the end.
    std::vector<Window*> creationOrder_;
};

}  // namespace keyreel::ui
