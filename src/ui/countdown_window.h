#pragma once

// The count-down before a macro plays at start-up: "A macro will be starting
// in 10 seconds." with a Cancel button.

#include <cstdint>

#include "ui/window.h"

namespace keyreel::ui {

class CountdownWindow final : public Window {
  public:
    // Creates and shows the window with the full count, not cancelled.
    bool open(std::int32_t seconds);
    void showRemaining(std::int64_t seconds);
    bool cancelled() const { return cancelled_; }

  private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    bool cancelled_ = false;
};

}  // namespace keyreel::ui
