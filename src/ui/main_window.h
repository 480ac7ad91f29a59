#pragma once

// The main window: the macro list and the builder that edits it, Run and
// Stop, the live pointer position, the title that shows the play state, and
// the menus. It mirrors MainModel, leaves the builder's rules to
// MacroBuilder, and hands what concerns the whole program to
// MainWindowActions.

#include <cstdint>
#include <string>

#include "core/main_window/macro_builder.h"
#include "core/main_window/main_model.h"
#include "ui/pointer_watch.h"
#include "ui/tooltips.h"
#include "ui/window.h"

namespace keyreel::ui {

class MainWindowActions {
  public:
    virtual ~MainWindowActions() = default;
    // A command for the program as a whole (ui/command_ids.h, from
    // kFirstProgramCommand on): exit, hide, help, the other windows.
    virtual void commandChosen(int command) = 0;
    // A WM_HOTKEY message: the identifier and the keys (modifiers, key).
    virtual void hotKeyPressed(WPARAM identifier, LPARAM keys) = 0;
    // A mouse message (WM_LBUTTONDBLCLK, WM_RBUTTONUP, ...) from the tray icon.
    virtual void trayIconEvent(UINT mouseMessage) = 0;
    virtual void taskbarCreated() = 0;
    // The main window moved to a screen of another DPI.
    virtual void mainWindowDpiChanged(UINT dpi) = 0;
    // A WM_COPYDATA message; true when it was taken.
    virtual bool dataReceived(const COPYDATASTRUCT& data) = 0;
    // Files handed over by a second copy may be started now
    // (kHandOverMessage, or the kHandOverTimer tick).
    virtual void handOversDue() = 0;
    // The session is to end (sign-out, shutdown): true when it may.
    virtual bool endSessionQueried() = 0;
    // The session ends; the process is ended soon after this returns.
    virtual void sessionEnding() = 0;
};

inline constexpr UINT kTrayIconMessage = WM_APP + 1;
inline constexpr UINT kHandOverMessage = WM_APP + 2;
// Timer ids of the main window's own timers start at 1.
inline constexpr UINT_PTR kHandOverTimer = 100;

class MainWindow final : public Window, public MainModelObserver {
  public:
    // A second copy of the program finds the running one by it.
    static constexpr const wchar_t* kClassName = L"KeyreelMainWindow";

    MainWindow(MainModel& model, MacroBuilder& builder, MainWindowActions& actions)
        : model_(model), builder_(builder), actions_(actions) {}
    ~MainWindow() override;

    // Creates the window hidden, with the live pointer display on or off and
    // the builder's command list filled.
    bool open(bool mouseTrackingOff);
    void show();
    void hide();
    // The live pointer display runs while tracking is on and the window is
    // shown; off shows "0,0".
    void setMouseTracking(bool on);
    // A play moved the pointer: the display follows at once.
    void pointerMovedByPlay() { pointer_.hurry(); }
    // The pointer position's tooltip tells what a double click will do.
    void setTrackerShown(bool shown);
    // Pops up the tray menu at the pointer; returns when it closes.
    void showTrayMenu();
    std::string tooltipText(HWND control) const { return tooltips_.text(control); }

    void titleChanged(const std::string& title) override;
    void listChanged() override;
    void lineInserted(std::size_t index) override;
    void lineRemoved(std::size_t index) override;

  private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void command(int id, int notification);
    void refreshMouseLocation();
    void dpiChanged() override { actions_.mainWindowDpiChanged(dpi()); }
    int minimumClientWidth() const override;

    // The builder's side (main_window_builder.cpp).
    void createBuilder();
    void addLine();
    void insertLine();
    void deleteLine();
    void saveList();
    void loadList();
    // The chooser's word, with its position unless the user typed or edited it.
    std::string chosenWord(std::int64_t& position) const;
    std::string valueText() const;
    std::int64_t selectedLine() const;
    void listPointerMoved(POINT at);
    static LRESULT CALLBACK listProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);

    MainModel& model_;
    MacroBuilder& builder_;
    MainWindowActions& actions_;
    Tooltips tooltips_;
    UINT taskbarCreated_ = 0;
    PointerWatch pointer_;
    bool tracking_ = false;
    // The chooser's text was typed or edited since a word was chosen.
    bool commandEdited_ = false;
    std::string listTip_;
};

}  // namespace keyreel::ui
