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

bool Win32PointerSampler::buttonsSwapped() {
    return GetSystemMetrics(SM_SWAPBUTTON) != 0;
}

std::uint16_t Win32PointerSampler::buttonState(std::uint8_t button) {
    return static_cast<std::uint16_t>(GetAsyncKeyState(button));
}

}  // namespace keyreel::win32
