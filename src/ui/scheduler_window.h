#pragma once

// The scheduler window "Macro Scheduler": the schedule's entries in a list,
// the clock, and six labels that serve as buttons (Save/Update, Delete, Add
// New, View, Hide, Help). It mirrors SchedulerModel, which lives as long as
// the window is loaded, shown or hidden: while it lives, its clock wakes at
// every second and due entries play through the main window's file play.
// From here the user opens the entry window, the update window (a double
// click on a cell) and the viewer.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/base/file_dialog.h"
#include "core/schedule/scheduler_model.h"
#include "ui/entry_window.h"
#include "ui/hover_labels.h"
#include "ui/schedule_list_view.h"
#include "ui/update_window.h"
#include "ui/viewer_window.h"
#include "ui/window.h"

namespace keyreel::ui {

// What the scheduler's windows need from the program besides the model's
// services.
struct SchedulerWindowServices {
    // A modal message box over the window given (null for none).
    std::function<MessageAnswer(HWND owner, const MessageRequest&)> showMessage;
    // The Open dialog over the window given.
    std::function<std::optional<std::string>(HWND owner, const FileDialogRequest&)> chooseFile;
    // The help, as the main window's "Macro Help" shows it.
    std::function<void()> showHelp;
};

class SchedulerWindow final : public Window, private ScheduleListObserver {
  public:
    SchedulerWindow(const SchedulerServices& model, SchedulerWindowServices services);
    ~SchedulerWindow() override;

    // Prefs > "Scheduler" (owned by the main window) and the tray's
    // "Scheduler" (no owner): loads the window when it is not loaded, and
    // shows it.
    bool open(HWND owner);
    // The main window's Hide: hides the window, loading it hidden when it
    // is not loaded, so that the schedule runs on from the tray.
    bool hideLoaded();
    // Closing: asks first about changes the file lacks; false when the
    // user kept the window. Closed, no entry fires until it loads again.
    bool unload() override;

    // The windows it opens; Hide and exit close them with the others.
    EntryWindow& entryWindow() { return entry_; }
    UpdateWindow& updateWindow() { return update_; }
    ViewerWindow& viewerWindow() { return viewer_; }

  private:
    bool load(HWND owner);
    void created() override;
    void dpiChanged() override;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void command(int id, int notification);
    void clockTick();
    void press(SchedulerButton button);
    void editCell(POINT inList);
    void scheduleIt(ScheduleEntryForm& form);
    bool modifyCell(const CellEdit& edit);
    void closeOtherWindows();
    void showReports(SchedulerModel& model);
    void setButtonFont();

    void rowAdded(std::size_t row) override;
    void rowRemoved(std::size_t row) override;
    void cellChanged(std::size_t row, ScheduleColumn column) override;
    void listCleared() override;
    void showRow(std::size_t row);

    const SchedulerServices modelServices_;
    const SchedulerWindowServices services_;
    // Shared with the operation under way: a tick that plays a macro runs
    // on while the user may close the window, and ends its pass first.
    std::shared_ptr<SchedulerModel> model_;
    ScheduleListView list_;
    HoverLabels buttons_;
    win32::OwnedFont buttonFont_;
    win32::OwnedTimer clock_;
    // Set while the question before closing is open.
    bool asking_ = false;
    EntryWindow entry_;
    UpdateWindow update_;
    ViewerWindow viewer_;
};

}  // namespace keyreel::ui
