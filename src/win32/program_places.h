#pragma once

// Where the programs and documents of RunProgram and ExecuteFile are looked
// for on this computer: the system's folders, PATH, Keyreel's own folder.

#include "core/macro/program_search.h"

namespace keyreel::win32 {

ProgramPlaces programPlaces();

}  // namespace keyreel::win32
