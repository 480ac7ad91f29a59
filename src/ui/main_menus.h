#pragma once

// The main window's menu bar and the tray icon's menu, built from tables.

#include <vector>

#include "win32/owned.h"

namespace keyreel::ui {

win32::OwnedMenu createMainMenuBar();
win32::OwnedMenu createTrayMenu();
// The tray menu's captions in order, nullptr for a separator: what a test
// needs to find an item in a menu it cannot read.
std::vector<const wchar_t*> trayMenuCaptions();

}  // namespace keyreel::ui
