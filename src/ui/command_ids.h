#pragma once

// The commands of the main window's buttons, its menu bar and the tray
// icon's menu. A menu item and a button that do the same thing share an id.

namespace keyreel::ui {

enum Command : int {
    // Carried out by the main window itself: the builder and the play.
    kAddCommand = 1001,
    kInsertCommand = 1002,
    kDeleteCommand = 1003,
    kSaveCommand = 1004,
    kLoadCommand = 1005,
    kClearCommand = 1006,
    kRunCommand = 1007,
    kStopCommand = 1008,

    // Handed to the application: the program as a whole and its windows.
    kFirstProgramCommand = 1100,
    kExitCommand = 1101,      // File > Exit and the close box: a window may refuse
    kTrayExitCommand = 1102,  // the same: a Cancel about unsaved work keeps the program
    kHideCommand = 1103,
    kMacroHelpCommand = 1104,  // the help's index
    kTrayHelpCommand = 1105,   // the help's contents
    kAboutCommand = 1106,
    kToggleTrackerCommand = 1107,  // double click on the pointer position

    // Reserved for the windows still to come and their menu items.
    kEditCommand = 1121,
    kRecordCommand = 1122,
    kStartupPreferencesCommand = 1123,  // Prefs menu: modal
    kTrayPreferencesCommand = 1124,     // tray menu: modeless
    kSchedulerCommand = 1125,           // Prefs menu: owned by the main window
    kTraySchedulerCommand = 1126,       // tray menu: no owner
};

}  // namespace keyreel::ui
