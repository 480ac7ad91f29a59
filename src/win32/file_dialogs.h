#pragma once

// The Open and Save As dialogs every window uses to choose a file. The
// dialogs ask nothing themselves (a caller that replaces a file asks first)
// and add no extension: a name typed without one stays without.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "core/base/file_dialog.h"

namespace keyreel::win32 {

// The path chosen in the Open or Save As dialog the request names, UTF-8;
// nothing when the user cancelled or the dialog failed. With an owner bound,
// this is the program's ChooseFile.
std::optional<std::string> chooseFile(HWND owner, const FileDialogRequest& request);

// "Description|pattern|..." in the dialogs' form: NUL instead of every "|",
// two NULs at the end.
std::wstring dialogFilter(std::string_view patterns);

}  // namespace keyreel::win32
