#pragma once

// The startup-preferences window's rules: what fills its controls at each
// step of a load, how the slider and the seconds box follow each other, and
// what OK writes and tells the user. The window mirrors PreferenceControls:
// it shows the whole state after each load step and writes the user's
// changes back.

#include <functional>
#include <string>

#include "core/base/asked_files.h"
#include "core/base/file_dialog.h"
#include "core/base/message_boxes.h"
#include "core/settings/settings.h"

namespace keyreel {

inline constexpr int kPauseSliderMin = 0;
inline constexpr int kPauseSliderMax = 150;
inline constexpr int kPauseSliderTick = 10;

// What the controls show. `values` holds the check boxes, the seconds box
// and the path boxes exactly as OK writes them.
struct PreferenceControls {
    PreferenceValues values;
    int sliderPosition = kPauseSliderMin;
    bool operator==(const PreferenceControls&) const = default;
};

// A window just created, before its loading: "ALT" checked, every other box
// unchecked or empty, the slider at its start.
PreferenceControls newPreferenceControls();

// The hot-key load's last step: the HotKeys page shows the modifier, the
// function keys and their macro files.
void fillHotKeyPage(PreferenceControls& controls, const HotKeySettings& hotKeys);

// Fills the Auto Startup page and the three boxes below the pages from
// section "startup". When "Run", "runLoaded", "enableMouse", "delay" or
// "runScheduler" holds a text that is no number, none of them is set and the
// result is false.
bool loadStartupPrefs(PreferenceControls& controls, const StartupSettings& startup);

// The window's own loading, once the hot keys were registered again from
// `hotKeys`: hot-key page, start-up page, and "0" in an empty seconds box.
PreferenceControls loadPreferenceControls(const HotKeySettings& hotKeys, SettingsStore& store);

// The program's start-up puts the values it acts on into the window it
// loaded hidden: the pause box, the run-loaded box, the pause length and the
// run-scheduler box.
void fillFromStartup(PreferenceControls& controls, const StartupSettings& startup);

// The seconds box now holds `text`, typed or set by the program. The slider
// follows a number from 0 to 150; any other text leaves it where it is, and
// the text stays as it is either way.
void secondsTextChanged(PreferenceControls& controls, std::string text);
// The user moved the slider: the seconds box shows its position.
void sliderMoved(PreferenceControls& controls, int position);

// OK: writes all twenty-one settings, lets `saved` put the hot keys into
// effect, then tells the user when the settings take effect, and which hot
// keys that are on have a macro file from the internet (`marked`), which
// asks before its first play. When some setting could not be written it
// says so instead and returns false: the window stays open with what the
// user set, and nothing takes effect.
bool applyPreferences(SettingsStore& store, MessageBoxes& boxes, const PreferenceValues& values,
                      const WebMarkReader& marked, const std::function<void()>& saved);

// The browse buttons' Open dialog for a hot key's macro file.
FileDialogRequest hotKeyMacroDialog();

}  // namespace keyreel
