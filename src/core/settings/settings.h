#pragma once

// The per-user settings: the store of named text values, and how the
// program turns those texts into the values it acts on.

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace keyreel {

// Section and key names. Names are matched without regard to case, so the
// pause flag written as "run" is read back as "Run".
namespace setting {
inline constexpr std::string_view kStartup = "startup";
inline constexpr std::string_view kHotKey = "hotkey";
inline constexpr std::string_view kHotKeyMacro = "hKeyLoc";

inline constexpr std::string_view kRun = "Run";
// The preferences window saves the pause flag under this spelling.
inline constexpr std::string_view kRunAsSaved = "run";
inline constexpr std::string_view kDelay = "delay";
inline constexpr std::string_view kRunLoaded = "runLoaded";
inline constexpr std::string_view kEnableAltR = "enableALTR";
inline constexpr std::string_view kEnableAltS = "enableALTS";
inline constexpr std::string_view kEnableMouse = "enableMouse";
inline constexpr std::string_view kRunScheduler = "runScheduler";
inline constexpr std::string_view kAlt = "ALT";
inline constexpr std::string_view kCtrl = "CTRL";
// The recorder's "Record pauses" choice, a check box.
inline constexpr std::string_view kRecorder = "recorder";
inline constexpr std::string_view kRecordPauses = "recordPauses";
inline constexpr std::array<std::string_view, 6> kFunctionKeys = {"F1", "F2", "F3",
                                                                  "F4", "F5", "F6"};
}  // namespace setting

// Named text values under the fixed application name "treel", addressed by
// section and key. There is no delete: entries are only created or replaced.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // The stored text; empty when the entry is absent or cannot be read.
    virtual std::string readSetting(std::string_view section, std::string_view key) = 0;
    // Creates or replaces the entry; false when it could not be stored.
    virtual bool writeSetting(std::string_view section, std::string_view key,
                              std::string_view value) = 0;
};

// The reference store: everything in memory, names folded to lower case.
class MemorySettingsStore final : public SettingsStore {
  public:
    std::string readSetting(std::string_view section, std::string_view key) override;
    bool writeSetting(std::string_view section, std::string_view key,
                      std::string_view value) override;

  private:
    std::map<std::pair<std::string, std::string>, std::string> values_;
};

// A check-box setting is on exactly when its text is "1"; " 1", "01" and
// "true" are off.
bool settingIsOn(std::string_view text);

// What the main window's start-up takes from section "startup".
struct StartupSettings {
    // Play the file named on the command line after loading it.
    bool runLoaded = false;
    // Count down before that play.
    bool pauseEnabled = true;
    // Length of the count-down in seconds.
    std::int32_t pauseSeconds = 10;
    // The live cursor-position display is off.
    bool mouseTrackingOff = false;
    // The CTRL+ALT+R and CTRL+ALT+S choices.
    bool beginEnabled = false;
    bool stopEnabled = false;
    // Load the scheduler window hidden before anything else starts, so that
    // the schedule runs from start-up, during a command-line play too.
    bool runScheduler = false;
    // False when "Run", "runLoaded", "enableMouse", "delay" or
    // "runScheduler" holds a text that is no number (or none that fits),
    // which counts as 0 above.
    bool numbersUsable = true;
};

StartupSettings readStartupSettings(SettingsStore& store);

// The hot-key choices: the F-key modifier parts, which of the eight hot keys
// are wanted, and the macro file of each function key (index 0 is F1).
struct HotKeySettings {
    bool alt = true;
    bool ctrl = false;
    bool beginEnabled = false;
    bool stopEnabled = false;
    std::array<bool, 6> fKeyEnabled{};
    std::array<std::string, 6> fKeyMacro;
    bool operator==(const HotKeySettings&) const = default;
};

HotKeySettings loadHotKeySettings(SettingsStore& store);

// Everything the preferences window saves. The delay is the text of its
// seconds box and the paths are the texts of their boxes, all kept as typed.
struct PreferenceValues {
    bool pauseEnabled = true;
    std::string delay = "10";
    bool runLoaded = false;
    bool mouseTrackingOff = false;
    bool runScheduler = false;
    HotKeySettings hotKeys;
    bool operator==(const PreferenceValues&) const = default;
};

// Writes all twenty-one entries, changed or not, check boxes as "0" or "1":
// the twenty of the original set in their order, then "runScheduler".
// False when some entry could not be stored; the others are still written.
bool saveSettings(SettingsStore& store, const PreferenceValues& values);

}  // namespace keyreel
