#pragma once

// What the desktop window manager knows of a window's caption.

#include <windows.h>

#include <optional>

namespace keyreel::win32 {

// The bounds of the window's caption buttons as the window manager draws
// them; nothing when it cannot say.
std::optional<RECT> captionButtonBounds(HWND window);

}  // namespace keyreel::win32
