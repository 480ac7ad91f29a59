#pragma once

// The schedule entry window "Schedule Entry": a new entry's description,
// run date (with its weekday's name beside it), run time, frequency, macro
// file and notes. "Schedule It" hands the fields over and the window stays
// open for the next entry; "Browse" (a label that turns green under the
// pointer) chooses the macro file.

#include <functional>
#include <optional>
#include <string>

#include "core/base/file_dialog.h"
#include "core/schedule/entry_form.h"
#include "ui/hover_labels.h"
#include "ui/window.h"

namespace keyreel::ui {

class EntryWindow final : public Window {
  public:
    EntryWindow();

    // Opens the window over `owner` with the fields of a window as it loads,
    // or brings the open one to the front as it is.
    bool open(HWND owner, const ScheduleEntryForm& form);

    // "Schedule It": the form as the fields hold it; what the form holds
    // afterwards is shown (emptied once the entry was made).
    std::function<void(ScheduleEntryForm&)> onScheduleIt;
    // The Open dialog over the window given.
    std::function<std::optional<std::string>(HWND owner, const FileDialogRequest&)> chooseFile;

  private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void command(int id);
    ScheduleEntryForm readForm() const;
    // The fields a form fills; the pickers keep their values.
    void showFields(const ScheduleEntryForm& form);
    void showWeekdayName();
    void browse();
    void scheduleIt();

    HoverLabels browseLabel_;
};

}  // namespace keyreel::ui
