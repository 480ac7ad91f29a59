// The preferences window's rules: what its controls show after each load
// step, the slider and the seconds box, and what OK writes and says.

#include "core/settings/preferences.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/macro/simulated_desktop.h"
#include "recording_store.h"

namespace keyreel {
namespace {

using Entries = std::map<std::string, std::string>;  // "section/key" -> text

void store(SettingsStore& settings, const Entries& entries) {
    for (const auto& [name, text] : entries) {
        const auto slash = name.find('/');
        settings.writeSetting(name.substr(0, slash), name.substr(slash + 1), text);
    }
}

// The window opened anew: the hot keys are registered again from the store,
// then the window loads.
PreferenceControls openedWindow(SettingsStore& settings) {
    return loadPreferenceControls(loadHotKeySettings(settings), settings);
}

// The program's start-up: the hot-key load creates the window hidden (which
// runs its loading) and fills its HotKeys page; then the start-up puts in
// the values it acts on.
PreferenceControls startupWindow(SettingsStore& settings) {
    const HotKeySettings hotKeys = loadHotKeySettings(settings);
    PreferenceControls controls = loadPreferenceControls(hotKeys, settings);
    fillHotKeyPage(controls, hotKeys);
    fillFromStartup(controls, readStartupSettings(settings));
    return controls;
}

TEST(Preferences, AnEmptyStoreShowsTheDefaults) {
    MemorySettingsStore empty;
    PreferenceControls expected;
    // Pause on, 10 seconds, no run at start, mouse tracking on, ALT the
    // modifier, no hot key, no paths.
    expected.values = PreferenceValues{};
    expected.sliderPosition = 10;
    EXPECT_EQ(openedWindow(empty), expected);
    EXPECT_EQ(startupWindow(empty), expected);
}

TEST(Preferences, AStoredNonNumberLeavesTheStartupPageAsItWas) {
    const Entries stored = {
        {"startup/Run", "0"},          {"startup/delay", "20"},     {"startup/runLoaded", "1"},
        {"startup/enableMouse", "1"},  {"startup/enableALTR", "1"}, {"startup/enableALTS", "1"},
        {"hotkey/CTRL", "1"},          {"hotkey/F2", "1"},          {"hKeyLoc/F2", "b.kyr"},
        {"startup/runScheduler", "1"},
    };
    PreferenceControls asNew = newPreferenceControls();
    asNew.values.delay = "0";  // an empty seconds box shows 0 after loading
    asNew.values.hotKeys.ctrl = true;
    asNew.values.hotKeys.fKeyEnabled[1] = true;
    asNew.values.hotKeys.fKeyMacro[1] = "b.kyr";
    PreferenceControls filled = asNew;
    filled.values.delay = "20";
    filled.sliderPosition = 20;
    filled.values.runLoaded = filled.values.mouseTrackingOff = true;
    filled.values.runScheduler = true;
    filled.values.hotKeys.beginEnabled = filled.values.hotKeys.stopEnabled = true;

    const std::vector<std::pair<std::string, std::string>> nonNumbers = {
        {"startup/Run", "abc"},         {"startup/runLoaded", "yes"},
        {"startup/enableMouse", "off"}, {"startup/delay", "5s"},
        {"startup/Run", "70000"},  // no 16-bit number
        {"startup/runScheduler", "on"},
    };
    for (const auto& [name, text] : nonNumbers) {
        MemorySettingsStore settings;
        store(settings, stored);
        store(settings, {{name, text}});
        EXPECT_EQ(openedWindow(settings), asNew) << name << " = " << text;
    }
    MemorySettingsStore settings;
    store(settings, stored);
    EXPECT_EQ(openedWindow(settings), filled);
}

// The start-up page and the boxes below it, in one line.
std::string startupPage(const PreferenceControls& c) {
    const auto box = [](bool checked) { return checked ? "1" : "0"; };
    return std::string("pause ") + box(c.values.pauseEnabled) + " run " + box(c.values.runLoaded) +
           " seconds " + c.values.delay + " slider " + std::to_string(c.sliderPosition) +
           " begin " + box(c.values.hotKeys.beginEnabled) + " stop " +
           box(c.values.hotKeys.stopEnabled) + " scheduler " + box(c.values.runScheduler);
}

TEST(Preferences, StartupPutsTheValuesItActsOnIntoTheHiddenWindow) {
    const std::vector<std::pair<Entries, std::string>> cases = {
        // The window's loading left its page; the start-up counts "abc" as 0
        // and fills the pause box, the run-loaded box, the seconds and the
        // scheduler box, which show what the start-up did.
        {{{"startup/Run", "abc"},
          {"startup/runLoaded", "1"},
          {"startup/enableALTR", "1"},
          {"startup/runScheduler", "1"}},
         "pause 0 run 1 seconds 10 slider 10 begin 0 stop 0 scheduler 1"},
        {{{"startup/delay", "abc"}}, "pause 1 run 0 seconds 0 slider 0 begin 0 stop 0 scheduler 0"},
        {{{"startup/runScheduler", "on"}, {"startup/delay", "30"}},
         "pause 1 run 0 seconds 30 slider 30 begin 0 stop 0 scheduler 0"},
        // Only 1 counts as a check; 200 stays as text and leaves the slider,
        // and the boxes after it are still filled.
        {{{"startup/Run", "2"}, {"startup/delay", "200"}, {"startup/enableALTS", "1"}},
         "pause 0 run 0 seconds 200 slider 0 begin 0 stop 1 scheduler 0"},
    };
    for (const auto& [stored, shown] : cases) {
        MemorySettingsStore settings;
        store(settings, stored);
        EXPECT_EQ(startupPage(startupWindow(settings)), shown);
    }
}

TEST(Preferences, TheSliderFollowsTheSecondsBoxAndTheBoxTheUsersSliderMoves) {
    const std::vector<std::pair<std::string, int>> typed = {
        {"200", 30},  {"abc", 30}, {"", 30},     {"-1", 30}, {"151", 30},
        {"150", 150}, {"0", 0},    {" 12 ", 12}, {"7.5", 8},
    };
    for (const auto& [text, slider] : typed) {
        PreferenceControls controls = newPreferenceControls();
        secondsTextChanged(controls, "30");
        secondsTextChanged(controls, text);
        EXPECT_EQ(controls.sliderPosition, slider) << '"' << text << '"';
        EXPECT_EQ(controls.values.delay, text) << "the text keeps what was typed";
    }
    const std::vector<std::pair<int, std::string>> moved = {
        {150, "150"}, {40, "40"}, {400, "150"}, {-3, "0"}};
    for (const auto& [position, text] : moved) {
        PreferenceControls controls = newPreferenceControls();
        secondsTextChanged(controls, "200");
        sliderMoved(controls, position);
        EXPECT_EQ(controls.values.delay, text) << position;
        EXPECT_EQ(std::to_string(controls.sliderPosition), text) << position;
    }
}

TEST(Preferences, OkWritesEverySettingAndSaysWhenTheyTakeEffect) {
    RecordingStore settings;
    store(settings.inner, {{"startup/delay", "30"}, {"hotkey/F4", "1"}, {"hKeyLoc/F4", " d.kyr"}});
    PreferenceControls controls = openedWindow(settings);
    secondsTextChanged(controls, "200");
    EXPECT_FALSE(controls.values.runScheduler) << "off until chosen";
    controls.values.runScheduler = true;
    SimulatedDesktop desktop;
    std::vector<std::size_t> savedAt;  // the messages shown by then
    const auto saved = [&] { savedAt.push_back(desktop.events().size()); };
    const auto marked = [](const std::string& path) { return path == " d.kyr"; };
    EXPECT_TRUE(applyPreferences(settings, desktop, controls.values, marked, saved));
    EXPECT_EQ(savedAt, std::vector<std::size_t>{0}) << "in effect before the user is told";
    EXPECT_EQ(settings.writes.size(), 21u);
    EXPECT_EQ(settings.writes.back(), "startup/runScheduler=1") << "after the twenty";
    EXPECT_EQ(settings.readSetting("startup", "delay"), "200");
    EXPECT_EQ(openedWindow(settings).values, controls.values) << "reopening shows what OK wrote";
    EXPECT_EQ(desktop.events(),
              std::vector<std::string>{
                  "message \"The hot keys take effect at once, the other settings the next time "
                  "you start the program.\\n\\nThe macro file of F4, \\\" d.kyr\\\", came from "
                  "the internet: its hot key asks before the first play.\" \"Tobrin's Keyreel\" "
                  "-> ok"});

    // An OK that could not write a setting says so instead.
    settings.failingWrite = 23;
    SimulatedDesktop failing;
    EXPECT_FALSE(applyPreferences(settings, failing, controls.values, marked, saved));
    EXPECT_EQ(settings.writes.size(), 42u) << "the other settings are still written";
    EXPECT_EQ(savedAt.size(), 1u) << "nothing takes effect";
    EXPECT_EQ(failing.events(),
              std::vector<std::string>{"message \"Error occurred trying to save the settings, "
                                       "please retry.\" \"Tobrin's Keyreel\" -> ok"});
}

}  // namespace
}  // namespace keyreel
