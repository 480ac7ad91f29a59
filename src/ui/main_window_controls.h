#pragma once

// The ids of the main window's controls that carry no command, shared by the
// files of the main window.

namespace keyreel::ui {

enum MainWindowControl : int {
    kMacroList = 101,
    kMouseLocation = 102,
    kCommandLabel = 103,
    kCommandChooser = 104,
    kValueLabel = 105,
    kValueEdit = 106,
};

}  // namespace keyreel::ui
