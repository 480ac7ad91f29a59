#pragma once

// Identifiers of the program's resources, shared by the resource script and
// the code (the resource compiler reads only preprocessor definitions).

#define KEYREEL_ICON_ID 1
