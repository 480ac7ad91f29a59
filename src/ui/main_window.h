#pragma once

// The main window: the macro list, Run and Stop, the live pointer position,
// the title that shows the play state, and the menus. It mirrors MainModel and
// hands everything that concerns the whole program to MainWindowActions.

#include <string>

#include "core/main_window/main_model.h"
#include "ui/window.h"

namespace keyreel::ui {

class MainWindowActions {
  public:
    virtual ~MainWindowActions() = default;
    virtual void exitRequested() = 0;
    virtual void hideRequested() = 0;
    // A WM_HOTKEY message: the identifier and the keys (modifiers, key).
    virtual void hotKeyPressed(WPARAM identifier, LPARAM keys) = 0;
    // A mouse message (WM_LBUTTONDBLCLK, WM_RBUTTONUP, ...) from the tray icon.
    virtual void trayIconEvent(UINT mouseMessage) = 0;
    virtual void taskbarCreated() = 0;
    // The main window moved to a screen of another DPI.
    virtual void mainWindowDpiChanged(UINT dpi) = 0;
};

inline constexpr UINT kTrayIconMessage = WM_APP + 1;

enum MainWindowCommand : int {
    kExitCommand = 201,
    kHideCommand = 202,
    kTrayStopCommand = 301,
    kTrayExitCommand = 302,
};

class MainWindow final : public Window, public MainModelObserver {
  public:
    MainWindow(MainModel& model, MainWindowActions& actions) : model_(model), actions_(actions) {}
    ~MainWindow() override;

    // Creates the window hidden, with the live pointer display on or off.
    bool open(bool mouseTrackingOff);
    void show();
    void hide();
    // The live pointer display runs while tracking is on; off shows "0,0".
    void setMouseTracking(bool on);
    // Pops up the tray menu at the pointer; returns when it closes.
    void showTrayMenu();

    void titleChanged(const std::string& title) override;
    void listChanged() override;

  private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void command(int id);
    void refreshMouseLocation();
    void dpiChanged() override { actions_.mainWindowDpiChanged(dpi()); }

    MainModel& model_;
    MainWindowActions& actions_;
    UINT taskbarCreated_ = 0;
    win32::OwnedTimer mouseTimer_;
    POINT shownPosition_{-1, -1};
    bool tracking_ = false;
};

}  // namespace keyreel::ui
