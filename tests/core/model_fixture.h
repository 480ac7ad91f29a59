#pragma once

#include "main_model.h"
#include "simulated_desktop.h"
#include "temp_folder.h"

namespace keyreel {

// A main-window model on a simulated desktop, with a folder for macro files.
struct ModelParts {
    TempFolder folder;
    LocalFileStore store;
    SimulatedDesktop desktop;
    MacroFiles files{store, desktop};
    MainModel model{desktop, files};
};

}  // namespace keyreel
