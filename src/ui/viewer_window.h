#pragma once

// The viewer "Current Event": every field of one entry in readable form, a
// snapshot that a later change of the entry does not touch. Modeless; a
// second View fills the open viewer again.

#include "core/schedule/scheduler_model.h"
#include "ui/window.h"

namespace keyreel::ui {

class ViewerWindow final : public Window {
  public:
    // `showTheSchedule`: opens the viewer over `owner` when it is closed, and
    // fills it with the entry.
    bool show(HWND owner, const EntryView& entry);

  private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace keyreel::ui
