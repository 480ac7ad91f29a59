#pragma once

// The main window's menu bar and the tray icon's menu, built from tables.

#include "win32/owned.h"

namespace keyreel::ui {

win32::OwnedMenu createMainMenuBar();
win32::OwnedMenu createTrayMenu();

}  // namespace keyreel::ui
