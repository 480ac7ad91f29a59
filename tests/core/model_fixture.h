#pragma once

#include "core/macro/simulated_desktop.h"
#include "core/main_window/macro_builder.h"
#include "core/main_window/main_model.h"
#include "temp_folder.h"

namespace keyreel {

// A main-window model and its builder on a simulated desktop, with a folder for files.
struct ModelParts {
    TempFolder folder;
    LocalFileStore store;
    SimulatedDesktop desktop;
    MacroFiles files{store};
    MainModel model{desktop, files};
    MacroBuilder builder{model, files, desktop};
};

}  // namespace keyreel
