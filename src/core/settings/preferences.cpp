#include "core/settings/preferences.h"

#include <algorithm>

#include "core/base/message_texts.h"
#include "core/base/number.h"
#include "core/base/product_texts.h"

namespace keyreel {

PreferenceControls newPreferenceControls() {
    PreferenceControls controls;
    controls.values.pauseEnabled = false;
    controls.values.delay.clear();
    return controls;
}

void fillHotKeyPage(PreferenceControls& controls, const HotKeySettings& hotKeys) {
    // The CTRL+ALT+R and CTRL+ALT+S boxes belong to the start-up load.
    HotKeySettings& shown = controls.values.hotKeys;
    shown.alt = hotKeys.alt;
    shown.ctrl = hotKeys.ctrl;
    shown.fKeyEnabled = hotKeys.fKeyEnabled;
    shown.fKeyMacro = hotKeys.fKeyMacro;
}

bool loadStartupPrefs(PreferenceControls& controls, const StartupSettings& startup) {
    if (!startup.numbersUsable)
        return false;
    // Each box shows what its value does at start-up.
    fillFromStartup(controls, startup);
    HotKeySettings& hotKeys = controls.values.hotKeys;
    hotKeys.beginEnabled = startup.beginEnabled;
    controls.values.mouseTrackingOff = startup.mouseTrackingOff;
    hotKeys.stopEnabled = startup.stopEnabled;
    return true;
}

PreferenceControls loadPreferenceControls(const HotKeySettings& hotKeys, SettingsStore& store) {
    PreferenceControls controls = newPreferenceControls();
    fillHotKeyPage(controls, hotKeys);
    loadStartupPrefs(controls, readStartupSettings(store));
    if (controls.values.delay.empty())
        secondsTextChanged(controls, "0");
    return controls;
}

void fillFromStartup(PreferenceControls& controls, const StartupSettings& startup) {
    controls.values.pauseEnabled = startup.pauseEnabled;
    controls.values.runLoaded = startup.runLoaded;
    controls.values.runScheduler = startup.runScheduler;
    secondsTextChanged(controls, std::to_string(startup.pauseSeconds));
}

void secondsTextChanged(PreferenceControls& controls, std::string text) {
    if (const auto seconds = parseNumber(text, kPauseSliderMin, kPauseSliderMax))
        controls.sliderPosition = static_cast<int>(*seconds);
    controls.values.delay = std::move(text);
}

void sliderMoved(PreferenceControls& controls, int position) {
    // Only the user's moves reach here, never the slider following the
    // text, so what the user typed is not overwritten.
    controls.sliderPosition = std::clamp(position, kPauseSliderMin, kPauseSliderMax);
    controls.values.delay = std::to_string(controls.sliderPosition);
}

namespace {

std::string downloadedHotKeyFiles(const HotKeySettings& hotKeys, const WebMarkReader& marked) {
    std::string text;
    for (std::size_t fKey = 0; fKey < hotKeys.fKeyMacro.size(); ++fKey) {
        const std::string& path = hotKeys.fKeyMacro[fKey];
        if (hotKeys.fKeyEnabled[fKey] && !path.empty() && marked(path)) {
            text += "\n\n" + fillIn(kDownloadedHotKeyText, {std::to_string(fKey + 1), path});
        }
    }
    return text;
}

}  // namespace

bool applyPreferences(SettingsStore& store, MessageBoxes& boxes, const PreferenceValues& values,
                      const WebMarkReader& marked, const std::function<void()>& saved) {
    if (!saveSettings(store, values)) {
        boxes.showMessage(
            {kSettingsNotSavedText, kAppTitle, MessageButtons::Ok, MessageIcon::Exclamation});
        return false;
    }
    saved();
    boxes.showMessage(
        {kSettingsSavedText + downloadedHotKeyFiles(values.hotKeys, marked), kAppTitle});
    return true;
}

FileDialogRequest hotKeyMacroDialog() {
    return macroFileOpenDialog();
}

}  // namespace keyreel
