#pragma once

// The pointer as the recorder samples it: the cursor's position, which
// button is the primary one, and the buttons' key state.

#include "core/recorder/recorder.h"

namespace keyreel::win32 {

class Win32PointerSampler final : public PointerSampler {
  public:
    std::optional<ScreenPoint> cursorPosition() override;
    // Read from the system's setting without changing it.
    bool buttonsSwapped() override;
    std::uint16_t buttonState(std::uint8_t button) override;
};

}  // namespace keyreel::win32
