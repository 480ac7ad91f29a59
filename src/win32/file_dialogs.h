#pragma once

// The Open and Save As dialogs every window uses to choose a file. The
// dialogs ask nothing themselves (a caller that replaces a file asks first)
// and add no extension: a name typed without one stays without.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "core/macro/macro_file.h"

namespace keyreel::win32 {

// The path chosen in the Open dialog, UTF-8; nothing when the user cancelled
// or the dialog failed.
std::optional<std::string> chooseFileToOpen(HWND owner, const FileFilter& filter);
// The same for the Save As dialog.
std::optional<std::string> chooseFileToSave(HWND owner, const FileFilter& filter);

// "Description|pattern|..." in the dialogs' form: NUL instead of every "|",
// two NULs at the end.
std::wstring dialogFilter(std::string_view patterns);

}  // namespace keyreel::win32
