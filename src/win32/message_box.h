#pragma once

// Modal message boxes owned by a window of the program: the desktop's boxes
// belong to the main window, the scheduler's to the window that asks.

#include <windows.h>

#include "core/base/message_boxes.h"

namespace keyreel::win32 {

// Shows the box over `owner` (null for none) and waits for the answer,
// handling messages meanwhile. A box that could not be shown answers its
// default, never the answer that would throw something away.
MessageAnswer showMessageBox(HWND owner, const MessageRequest& request);

}  // namespace keyreel::win32
