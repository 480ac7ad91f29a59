#pragma once

// The window "Startup Preferences": the start-up behaviour on the tab "Auto
// Startup", the hot keys and their macro files on the tab "HotKeys", three
// boxes below both, OK and Cancel. It mirrors PreferenceControls, leaves the
// rules to core/settings/preferences.h and writes the settings only on OK.

#include <array>
#include <functional>

#include "core/settings/hot_key_registry.h"
#include "core/settings/preferences.h"
#include "ui/tooltips.h"
#include "ui/window.h"
#include "win32/message_box.h"

namespace keyreel::ui {

struct PreferencesServices {
    SettingsStore& store;
    // Loads the hot-key settings and registers the hot keys again, as each
    // new window does before it shows them and OK does once it saved them.
    std::function<HotKeySettings()> reloadHotKeys;
    // How the latest registration went, for the marks beside the hot keys.
    const HotKeyRegistry& hotKeys;
    // Whether a hot key's macro file came from the internet, which OK says.
    WebMarkReader marked;
};

class PreferencesWindow final : public Window {
  public:
    explicit PreferencesWindow(PreferencesServices services);

    // Creates the window hidden, which loads it, unless it exists.
    bool load();
    // Shows the window, loading it first when it does not exist; an
    // existing one shows what its controls hold. Modal: `owner` is disabled
    // until the window closes. An open window stays as modal as it was.
    bool open(HWND owner, bool modal);
    // Closes the window without writing anything, as Cancel does.
    bool unload() override;

    // The hot-key load fills the HotKeys page; the program's start-up puts
    // in the values it acts on.
    void fillHotKeyPage(const HotKeySettings& hotKeys);
    void fillFromStartup(const StartupSettings& startup);
    const PreferenceControls& controls() const { return controls_; }

  private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void created() override;
    void command(int id, int notification);
    // Shows the controls of the page of the selected tab, and hides the
    // other page's.
    void showSelectedPage();
    // Every control shows what controls_ holds.
    void mirror();
    void showTakenMarks();
    // The background of the controls on the tab control's pane: the pane's
    // own colour, whatever the theme paints there.
    void takePaneColour();
    // The brush for a control's background; 0 for the default.
    LRESULT controlColour(HDC dc, HWND child);
    void secondsTyped();
    void sliderMoved();
    void browse(std::size_t fKey);
    void ok();
    void close();

    PreferencesServices services_;
    win32::WindowMessageBoxes boxes_;
    PreferenceControls controls_;
    Tooltips tooltips_;
    // The window disabled while this one is open modally; null: modeless.
    HWND modalOwner_ = nullptr;
    win32::OwnedBrush paneBrush_;
    COLORREF paneColour_ = 0;
    // The hot keys another program holds, by slot, as last shown.
    std::array<bool, kHotKeyCount> taken_{};
};

}  // namespace keyreel::ui
