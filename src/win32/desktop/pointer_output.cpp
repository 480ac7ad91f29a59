// Pointer output. Points are physical pixels: the program is per-monitor DPI
// aware, so the system scales nothing.

#include "win32/desktop/win32_desktop.h"
#include "win32/send_input.h"

namespace keyreel::win32 {

bool Win32Desktop::moveCursor(int x, int y) {
    const bool moved = SetCursorPos(x, y) != FALSE;
    if (pointerMoved_)
        pointerMoved_();
    return moved;
}

bool Win32Desktop::mouseButton(std::uint32_t flags) {
    // The core's flag values are those of MOUSEEVENTF_*; no movement, so the
    // event acts where the pointer is.
    INPUT input = mouseInput(flags);
    return sendInputs({&input, 1});
}

}  // namespace keyreel::win32
