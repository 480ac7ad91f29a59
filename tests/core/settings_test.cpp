// Settings: the readers' conversions, the preferences window, what OK writes and says.

#include "core/settings/settings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/macro/simulated_desktop.h"
#include "core/settings/preferences.h"

namespace keyreel {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using Entries = std::map<std::string, std::string>;  // "section/key" -> text

struct RecordingStore final : SettingsStore {
    std::string readSetting(std::string_view section, std::string_view key) override {
        return inner.readSetting(section, key);
    }
    bool writeSetting(std::string_view section, std::string_view key,
                      std::string_view value) override {
        writes.push_back(std::string(section) + "/" + std::string(key) + "=" + std::string(value));
        return writes.size() != failingWrite && inner.writeSetting(section, key, value);
    }

    MemorySettingsStore inner;
    std::vector<std::string> writes;
    std::size_t failingWrite = 0;  // 1-based; 0 = none fails
};

void store(SettingsStore& settings, const Entries& entries) {
    for (const auto& [name, text] : entries) {
        const auto slash = name.find('/');
        settings.writeSetting(name.substr(0, slash), name.substr(slash + 1), text);
    }
}

// The window opened anew: the hot keys registered again, then the window loads.
PreferenceControls openedWindow(SettingsStore& settings) {
    return loadPreferenceControls(loadHotKeySettings(settings), settings);
}

// The start-up fills the hidden window: the HotKeys page, then the values it acts on.
PreferenceControls startupWindow(SettingsStore& settings) {
    const HotKeySettings hotKeys = loadHotKeySettings(settings);
    PreferenceControls controls = loadPreferenceControls(hotKeys, settings);
    fillHotKeyPage(controls, hotKeys);
    fillFromStartup(controls, readStartupSettings(settings));
    return controls;
}

TEST(Settings, StartupValuesHaveTheirDefaultsAndConversions) {
    const auto value = [](const std::string& key, const std::string& text) {
        MemorySettingsStore settings;
        settings.writeSetting("startup", key, text);
        const StartupSettings read = readStartupSettings(settings);
        const std::map<std::string, int> byKey = {
            {"Run", read.pauseEnabled},        {"delay", read.pauseSeconds},
            {"runLoaded", read.runLoaded},     {"enableMouse", read.mouseTrackingOff},
            {"enableALTR", read.beginEnabled}, {"runScheduler", read.runScheduler},
        };
        return byKey.at(key);
    };
    const std::map<std::string, std::vector<std::pair<std::string, int>>> cases = {
        // Only 1 switches the pause on; no number or one out of range is 0.
        {"Run", {{"", 1}, {" 1 ", 1}, {"yes", 0}, {"1.5", 0}, {"70000", 0}}},
        {"delay", {{"", 10}, {"2147483647", 2147483647}, {"2147483648", 0}}},
        // Plays for any number but zero, judged on the digits.
        {"runLoaded", {{"", 0}, {"-1", 1}, {"0.4", 1}, {"-0", 0}, {"yes", 0}}},
        {"enableMouse", {{"", 0}, {"2", 0}, {"1.2", 1}}},
        // Check boxes are on for exactly "1".
        {"enableALTR", {{"1", 1}, {" 1", 0}, {"01", 0}, {"1.0", 0}}},
        {"runScheduler", {{"", 0}, {"2", 1}, {"yes", 0}, {" 1 ", 1}}},
    };
    for (const auto& [key, texts] : cases) {
        for (const auto& [text, expected] : texts)
            EXPECT_EQ(value(key, text), expected) << key << " = \"" << text << '"';
    }
}

TEST(Preferences, AnEmptyStoreShowsTheDefaults) {
    MemorySettingsStore empty;
    PreferenceControls expected;
    expected.sliderPosition = 10;
    EXPECT_EQ(openedWindow(empty), expected);
    EXPECT_EQ(startupWindow(empty), expected);
}

TEST(Preferences, AStoredNonNumberLeavesTheStartupPageAsItWas) {
    const Entries stored = {
        {"startup/Run", "0"},        {"startup/delay", "20"},       {"startup/runLoaded", "1"},
        {"startup/enableALTR", "1"}, {"startup/runScheduler", "1"}, {"hotkey/F2", "1"},
    };
    PreferenceControls asNew = newPreferenceControls();
    asNew.values.delay = "0";  // an empty seconds box shows 0 after loading
    asNew.values.hotKeys.fKeyEnabled[1] = true;
    for (const auto& [name, text] : Entries{{"startup/Run", "abc"}, {"startup/delay", "5s"}}) {
        MemorySettingsStore settings;
        store(settings, stored);
        store(settings, {{name, text}});
        EXPECT_EQ(openedWindow(settings), asNew) << name << " = " << text;
        EXPECT_FALSE(readStartupSettings(settings).numbersUsable);
    }
}

TEST(Preferences, StartupPutsTheValuesItActsOnIntoTheHiddenWindow) {
    const auto page = [](const PreferenceControls& c) {
        const auto box = [](bool checked) { return checked ? "1" : "0"; };
        return std::string("pause ") + box(c.values.pauseEnabled) + " run " +
               box(c.values.runLoaded) + " seconds " + c.values.delay + " slider " +
               std::to_string(c.sliderPosition) + " stop " + box(c.values.hotKeys.stopEnabled) +
               " scheduler " + box(c.values.runScheduler);
    };
    const std::vector<std::pair<Entries, std::string>> cases = {
        // The start-up counts "abc" as 0 and fills the boxes it acts on.
        {{{"startup/Run", "abc"}, {"startup/runLoaded", "1"}, {"startup/runScheduler", "1"}},
         "pause 0 run 1 seconds 10 slider 10 stop 0 scheduler 1"},
        {{{"startup/delay", "abc"}}, "pause 1 run 0 seconds 0 slider 0 stop 0 scheduler 0"},
        // 200 stays as text and leaves the slider; the boxes after it are still filled.
        {{{"startup/delay", "200"}, {"startup/enableALTS", "1"}},
         "pause 1 run 0 seconds 200 slider 0 stop 1 scheduler 0"},
    };
    for (const auto& [stored, shown] : cases) {
        MemorySettingsStore settings;
        store(settings, stored);
        EXPECT_EQ(page(startupWindow(settings)), shown);
    }
}

TEST(Preferences, TheSliderFollowsTheSecondsBoxAndTheBoxTheUsersSliderMoves) {
    for (const auto& [text, slider] :
         {std::pair{"200", 30}, {"abc", 30}, {"-1", 30}, {"150", 150}, {" 12 ", 12}, {"7.5", 8}}) {
        PreferenceControls controls = newPreferenceControls();
        secondsTextChanged(controls, "30");
        secondsTextChanged(controls, text);
        EXPECT_EQ(controls.sliderPosition, slider) << '"' << text << '"';
        EXPECT_EQ(controls.values.delay, text) << "the text keeps what was typed";
    }
    for (const auto& [position, text] : {std::pair{40, "40"}, {400, "150"}, {-3, "0"}}) {
        PreferenceControls controls = newPreferenceControls();
        sliderMoved(controls, position);
        EXPECT_EQ(controls.values.delay, text) << position;
    }
}

TEST(Preferences, OkWritesEverySettingAndSaysWhenTheyTakeEffect) {
    RecordingStore settings;
    store(settings.inner, {{"startup/delay", "30"}, {"hotkey/F4", "1"}, {"hKeyLoc/F4", " d.kyr"}});
    PreferenceControls controls = openedWindow(settings);
    secondsTextChanged(controls, "200");
    controls.values.runScheduler = controls.values.mouseTrackingOff = true;
    controls.values.hotKeys.alt = false;
    controls.values.hotKeys.fKeyMacro[5] = " D:\\six .kyr ";  // kept though F6 is off
    SimulatedDesktop desktop;
    std::vector<std::size_t> savedAt;  // the messages shown by then
    const auto saved = [&] { savedAt.push_back(desktop.events().size()); };
    const auto marked = [](const std::string& path) { return path == " d.kyr"; };
    EXPECT_TRUE(applyPreferences(settings, desktop, controls.values, marked, saved));
    EXPECT_EQ(savedAt, std::vector<std::size_t>{0}) << "in effect before the user is told";
    EXPECT_EQ(settings.writes.size(), 21u);
    EXPECT_EQ(openedWindow(settings).values, controls.values) << "reopening shows what OK wrote";
    EXPECT_THAT(desktop.events(),
                ElementsAre(HasSubstr("program.\\n\\nThe macro file of F4, \\\" d.kyr\\\", came")));
    // An OK that could not write a setting says so instead.
    settings.failingWrite = 23;
    SimulatedDesktop failing;
    EXPECT_FALSE(applyPreferences(settings, failing, controls.values, marked, saved));
    EXPECT_EQ(settings.writes.size(), 42u) << "the other settings are still written";
    EXPECT_EQ(savedAt.size(), 1u) << "nothing takes effect";
    EXPECT_THAT(failing.events(), ElementsAre(HasSubstr("Error occurred trying to save")));
}

}  // namespace
}  // namespace keyreel
