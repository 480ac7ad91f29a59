#include "win32/pointer_sampler.h"

#include <windows.h>

namespace keyreel::win32 {

std::optional<ScreenPoint> Win32PointerSampler::cursorPosition() {
    POINT position;
    // Fails while another desktop (a secure one) has the input.
    if (!GetCursorPos(&position))
        return std::nullopt;
    return ScreenPoint{position.x, position.y};
}

bool isOwnWindowAt(POINT point) {
    const HWND window = WindowFromPoint(point);
    DWORD process = 0;
    return window != nullptr && GetWindowThreadProcessId(window, &process) != 0 &&
           process == GetCurrentProcessId();
}

}  // namespace keyreel::win32
