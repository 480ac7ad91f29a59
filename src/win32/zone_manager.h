#pragma once

// Windows' URL security zone manager, asked about a saved file.

#include <string>

#include "core/base/web_mark.h"

namespace keyreel::win32 {

// The zone the zone manager gives the file at `path` (a share on a server in
// the internet zone, or a file whose stream marks it); nothing when the zone
// manager cannot be had or gives no answer. The manager is created on each
// call through COM, which loads it from the system folder by its registered
// path, so the program imports nothing for it at start.
LocationZone zoneOfSavedFile(const std::wstring& path);

}  // namespace keyreel::win32
