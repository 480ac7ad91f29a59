#include "core/settings/settings.h"

#include <limits>

#include "core/base/number.h"
#include "core/base/text.h"

namespace keyreel {

namespace {

// An integer setting as the start-up reads it: an empty text gives the
// default; a text that is no number, or one that does not fit, gives 0 and
// clears `usable`.
template <typename Int>
Int integerSetting(std::string_view text, Int whenEmpty, bool& usable) {
    if (text.empty())
        return whenEmpty;
    const auto value =
        parseNumber(text, std::numeric_limits<Int>::min(), std::numeric_limits<Int>::max());
    usable = usable && value.has_value();
    return value ? static_cast<Int>(*value) : Int{0};
}

// Any number but zero; absent counts as 0. The test is on the digits, not on
// the rounded value, so "0.4" counts as a number other than zero.
bool isNonZeroNumber(std::string_view text, bool& usable) {
    if (text.empty())
        return false;
    const auto value = parseNumber(text, std::numeric_limits<std::int64_t>::min(),
                                   std::numeric_limits<std::int64_t>::max());
    usable = usable && value.has_value();
    return value && text.find_first_of("123456789") != std::string_view::npos;
}

std::string_view checkText(bool checked) {
    return checked ? "1" : "0";
}

}  // namespace

std::string MemorySettingsStore::readSetting(std::string_view section, std::string_view key) {
    const auto found = values_.find({toLowerAscii(section), toLowerAscii(key)});
    return found == values_.end() ? std::string{} : found->second;
}

bool MemorySettingsStore::writeSetting(std::string_view section, std::string_view key,
                                       std::string_view value) {
    values_[{toLowerAscii(section), toLowerAscii(key)}] = std::string(value);
    return true;
}

bool settingIsOn(std::string_view text) {
    return text == "1";
}

StartupSettings readStartupSettings(SettingsStore& store) {
    using namespace setting;
    StartupSettings settings;
    bool& usable = settings.numbersUsable;
    settings.runLoaded = isNonZeroNumber(store.readSetting(kStartup, kRunLoaded), usable);
    // Both are stored as numbers of which only 1 switches them on.
    settings.pauseEnabled =
        integerSetting<std::int16_t>(store.readSetting(kStartup, kRun), 1, usable) == 1;
    settings.beginEnabled = settingIsOn(store.readSetting(kStartup, kEnableAltR));
    settings.mouseTrackingOff =
        integerSetting<std::int16_t>(store.readSetting(kStartup, kEnableMouse), 0, usable) == 1;
    settings.stopEnabled = settingIsOn(store.readSetting(kStartup, kEnableAltS));
    settings.pauseSeconds =
        integerSetting<std::int32_t>(store.readSetting(kStartup, kDelay), 10, usable);
    // Read as "runLoaded" is: a number other than zero switches it on.
    settings.runScheduler = isNonZeroNumber(store.readSetting(kStartup, kRunScheduler), usable);
    return settings;
}

HotKeySettings loadHotKeySettings(SettingsStore& store) {
    using namespace setting;
    HotKeySettings settings;
    const std::string alt = store.readSetting(kHotKey, kAlt);
    settings.alt = alt.empty() || settingIsOn(alt);
    settings.ctrl = settingIsOn(store.readSetting(kHotKey, kCtrl));
    settings.beginEnabled = settingIsOn(store.readSetting(kStartup, kEnableAltR));
    settings.stopEnabled = settingIsOn(store.readSetting(kStartup, kEnableAltS));
    for (std::size_t n = 0; n < kFunctionKeys.size(); ++n) {
        settings.fKeyEnabled[n] = settingIsOn(store.readSetting(kHotKey, kFunctionKeys[n]));
    }
    for (std::size_t n = 0; n < kFunctionKeys.size(); ++n) {
        settings.fKeyMacro[n] = store.readSetting(kHotKeyMacro, kFunctionKeys[n]);
    }
    return settings;
}

bool saveSettings(SettingsStore& store, const PreferenceValues& values) {
    using namespace setting;
    const HotKeySettings& hotKeys = values.hotKeys;
    bool stored = true;
    const auto write = [&](std::string_view section, std::string_view key, std::string_view value) {
        stored = store.writeSetting(section, key, value) && stored;
    };
    write(kStartup, kRunAsSaved, checkText(values.pauseEnabled));
    write(kStartup, kDelay, values.delay);
    write(kStartup, kRunLoaded, checkText(values.runLoaded));
    write(kStartup, kEnableAltR, checkText(hotKeys.beginEnabled));
    write(kStartup, kEnableAltS, checkText(hotKeys.stopEnabled));
    write(kStartup, kEnableMouse, checkText(values.mouseTrackingOff));
    write(kHotKey, kAlt, checkText(hotKeys.alt));
    write(kHotKey, kCtrl, checkText(hotKeys.ctrl));
    for (std::size_t n = 0; n < kFunctionKeys.size(); ++n) {
        write(kHotKey, kFunctionKeys[n], checkText(hotKeys.fKeyEnabled[n]));
    }
    for (std::size_t n = 0; n < kFunctionKeys.size(); ++n) {
        write(kHotKeyMacro, kFunctionKeys[n], hotKeys.fKeyMacro[n]);
    }
    // Last, so that the twenty keep their places.
    write(kStartup, kRunScheduler, checkText(values.runScheduler));
    return stored;
}

}  // namespace keyreel
