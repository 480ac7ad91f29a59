#pragma once

// The one object that owns the program's state and windows: the start-up
// sequence, the tray icon, hot keys, the other windows, help and exit.

#include <functional>
#include <memory>
#include <string>

#include "core/main_window/file_start.h"
#include "core/main_window/macro_builder.h"
#include "core/main_window/main_model.h"
#include "core/schedule/fired_once_entries.h"
#include "core/schedule/schedule_reports.h"
#include "core/settings/settings.h"
#include "ui/about_window.h"
#include "ui/countdown_window.h"
#include "ui/editor_window.h"
#include "ui/main_window.h"
#include "ui/preferences_window.h"
#include "ui/recorder_window.h"
#include "ui/scheduler_window.h"
#include "ui/tracker_window.h"
#include "ui/window_roster.h"
#include "win32/ansi_code_page.h"
#include "win32/desktop/win32_desktop.h"
#include "win32/hot_keys.h"
#include "win32/html_help.h"
#include "win32/registry_settings_store.h"
#include "win32/system_clock.h"
#include "win32/tray_icon.h"
#include "win32/win32_file_store.h"

namespace keyreel {

class Application final : public ui::MainWindowActions {
  public:
    Application();
    // Runs the program with the command line after the program name; returns
    // the exit code.
    int run(const std::wstring& commandLine);

    void commandChosen(int command) override;
    void hotKeyPressed(WPARAM identifier, LPARAM keys) override;
    void trayIconEvent(UINT mouseMessage) override;
    void taskbarCreated() override;
    void mainWindowDpiChanged(UINT dpi) override;
    bool dataReceived(const COPYDATASTRUCT& data) override;
    void handOversDue() override;
    bool endSessionQueried() override;
    void sessionEnding() override;

  private:
    // Closes every window, newest first, and ends the process. A window
    // that refuses to close (the user cancelled its question) keeps the
    // program, whichever exit was chosen.
    void exitProgram();
    // Ends the process at once, even from inside a play, once every window
    // besides the main window has closed.
    [[noreturn]] void endProcess();
    void hide();
    // The start-up's hot-key load: registers the hot keys from the settings
    // and fills the preferences window's HotKeys page, creating the window
    // hidden (its loading registers them once more).
    void loadHotKeys();
    // Reads the hot-key settings and registers the hot keys again.
    HotKeySettings reloadHotKeys();
    // From the Prefs menu modal, owned by the main window; from the tray
    // modeless, without an owner.
    void openPreferences(bool modal);
    void hideToTray();
    void toggleTracker();
    void showHelp(bool contents);
    // Plays the function key's macro file and reports one that cannot be read.
    void playHotKeyFile(std::size_t fKey);
    // False when the hot key is to be dropped.
    bool awaitHotKeyModifiersReleased();
    bool countDown(std::int32_t seconds);
    void showMainWindow();
    void trayIconMissing();
    FileStartServices fileStartServices();
    int messageLoop();
    // Handles messages while `open` holds; a quit message is left for the
    // program's own loop.
    void modalLoop(const std::function<bool()>& open);
    static void dispatch(MSG& message);
    static bool isDialogMessage(MSG& message);

    win32::Win32Desktop desktop_;
    win32::Win32FileStore fileStore_;
    win32::Win32AnsiCodePage codePage_;
    // Downloaded macro files the user agreed to play in this run.
    AskedFiles askedFiles_;
    win32::RegistrySettingsStore settings_;
    MacroFiles files_;
    MainModel model_;
    MacroBuilder builder_;
    // A hidden window that owns the main window once it was hidden, which
    // keeps the program out of the task list; it outlives the main window.
    win32::OwnedWindow taskListOwner_;
    ui::MainWindow mainWindow_;
    // The other windows: created when needed, and again after they closed.
    ui::CountdownWindow countdown_;
    ui::AboutWindow about_;
    ui::TrackerWindow tracker_;
    // The hot keys belong to the main window, which exists once run() opened it.
    win32::WindowHotKeys hotKeyPlatform_{[this] { return mainWindow_.hwnd(); }};
    HotKeyRegistry hotKeys_{hotKeyPlatform_};
    ui::PreferencesWindow prefs_{
        {settings_, [this] { return reloadHotKeys(); }, hotKeys_,
         [this](const std::string& path) { return askedFiles_.marked(path); }}};
    ui::EditorWindow editor_{files_, [this] { model_.resetMacroLineCount(); }};
    ui::RecorderWindow recorder_{files_, settings_, [this] { model_.resetMacroLineCount(); }};
    win32::SystemClock clock_;
    // Once entries fired in this run, and entries whose file could not be
    // read, across the scheduler window's loads.
    FiredOnceEntries firedOnce_;
    ToldUnreadableFiles toldUnreadable_;
    ui::SchedulerWindow scheduler_;
    // Every one of them, in the order Hide closes them. Hide keeps the
    // scheduler loaded, and the count-down with its Cancel, the only way to
    // keep the coming play from starting.
    ui::WindowRoster windows_{
        {&scheduler_.viewerWindow(), &about_, &prefs_, &editor_, &scheduler_.entryWindow(),
         &scheduler_.updateWindow(), &recorder_, &tracker_},
        {&scheduler_, &countdown_}};
    win32::HelpViewer help_;
    std::unique_ptr<win32::TrayIcon> tray_;
    // Files from the command line and from second copies.
    FileStarter fileStarter_{model_, desktop_, askedFiles_, fileStartServices()};
    win32::OwnedTimer handOverTimer_;
    HotKeySettings hotKeySettings_;
    bool mouseTrackingOff_ = false;
    bool trayBusy_ = false;
    bool answeringEndSession_ = false;
    bool awaitingModifiers_ = false;
};

}  // namespace keyreel
