// Settings: the readers' conversions, the preferences window, what OK writes, the hot keys.

#include "core/settings/settings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/macro/simulated_desktop.h"
#include "core/settings/hot_key_plan.h"
#include "core/settings/hot_key_registry.h"
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
        return ++writes != failingWrite && inner.writeSetting(section, key, value);
    }

    MemorySettingsStore inner;
    std::size_t writes = 0;
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
    EXPECT_EQ(settings.writes, 21u);
    EXPECT_EQ(openedWindow(settings).values, controls.values) << "reopening shows what OK wrote";
    EXPECT_THAT(desktop.events(),
                ElementsAre(HasSubstr("program.\\n\\nThe macro file of F4, \\\" d.kyr\\\", came")));
    // An OK that could not write a setting says so instead.
    settings.failingWrite = 23;
    SimulatedDesktop failing;
    EXPECT_FALSE(applyPreferences(settings, failing, controls.values, marked, saved));
    EXPECT_EQ(settings.writes, 42u) << "the other settings are still written";
    EXPECT_EQ(savedAt.size(), 1u) << "nothing takes effect";
    EXPECT_THAT(failing.events(), ElementsAre(HasSubstr("Error occurred trying to save")));
}

using Actions = std::vector<HotKeyAction>;

// Global atoms lie in 0xC000..0xFFFF, so as 16-bit values they are negative.
constexpr HotKeyIds kAtomIds = {-16383, -16382, -16381, -16380, -16379, -16378, -16377, -16376};

class FakeHotKeyPlatform final : public HotKeyPlatform {
  public:
    using Combination = std::pair<std::uint32_t, std::uint8_t>;  // modifiers, virtual key

    std::int16_t addAtom(std::string_view) override {
        atoms.push_back(1);
        return static_cast<std::int16_t>(-16384 + static_cast<int>(atoms.size()));
    }
    void deleteAtom(std::int16_t atom) override { --atoms.at(std::size_t(atom + 16383)); }
    bool registerHotKey(const HotKeyRegistration& hotKey) override {
        const Combination combination{hotKey.modifiers, hotKey.virtualKey};
        if (heldByOthers.contains(combination))
            return false;
        ours.emplace(hotKey.id, combination);
        return true;
    }
    void unregisterHotKey(std::int32_t id) override { ours.erase(id); }

    std::set<Combination> heldByOthers;
    std::map<std::int32_t, Combination> ours;
    std::vector<int> atoms;  // reference count by slot
};

TEST(HotKeyRegistry, EachRegistrationReplacesTheLastWithTheWantedKeysAndExitGivesAllBack) {
    FakeHotKeyPlatform system;
    system.heldByOthers = {{kModifierCtrl, 113}};  // CTRL+F2
    HotKeySettings settings;
    settings.fKeyEnabled = {false, true, true, false, false, false};
    using Held = std::map<std::int32_t, FakeHotKeyPlatform::Combination>;
    // ALT, CTRL, F1, CTRL+ALT+R and S; what is held; whether F2 is taken.
    const std::tuple<bool, bool, bool, bool, Held, bool> steps[] = {
        {1, 0, 1, 0, {{-16383, {1, 112}}, {-16382, {1, 113}}, {-16381, {1, 114}}}, 0},
        {0, 1, 0, 1, {{-16381, {2, 114}}, {-16377, {3, 82}}, {-16376, {3, 83}}}, 1},
        {1, 1, 0, 0, {{-16382, {3, 113}}, {-16381, {3, 114}}}, 0},
        {0, 0, 1, 0, {{-16383, {0, 112}}, {-16382, {0, 113}}, {-16381, {0, 114}}}, 0},
    };
    HotKeyRegistry registry(system);
    registry.addAtoms();
    registry.addAtoms();
    EXPECT_EQ(registry.hotKeyIds(), kAtomIds) << "made once";
    for (const auto& [alt, ctrl, f1, beginAndStop, held, f2Taken] : steps) {
        SCOPED_TRACE(testing::Message() << alt << ctrl << f1 << beginAndStop);
        settings.alt = alt;
        settings.ctrl = ctrl;
        settings.fKeyEnabled[0] = f1;
        settings.beginEnabled = settings.stopEnabled = beginAndStop;
        registry.registerHotKeys(settings);
        EXPECT_EQ(system.ours, held) << "every registration withdrawn first";
        EXPECT_EQ(registry.takenByAnotherProgram(1), f2Taken);
        EXPECT_FALSE(registry.takenByAnotherProgram(0) || registry.takenByAnotherProgram(2));
    }
    HotKeyIds ids = kAtomIds;
    ids[1] = 0;
    EXPECT_EQ(planHotKeys(settings, ids).size(), 2u) << "none without an identifier";
    registry.release();
    EXPECT_TRUE(system.ours.empty());
    EXPECT_EQ(system.atoms, std::vector<int>(kHotKeyCount, 0)) << "every atom deleted once";
    EXPECT_FALSE(registry.takenByAnotherProgram(1));
    EXPECT_TRUE(hotKeyActions(kAtomIds[0], registry.hotKeyIds()).empty());
}

TEST(HotKeyDispatch, EachOfOurIdentifiersRunsTheActionsOfItsSlotsInOrder) {
    using Kind = HotKeyAction::Kind;
    EXPECT_EQ(hotKeyActions(kAtomIds[5], kAtomIds), (Actions{{Kind::playMacroFile, 5}}));
    EXPECT_TRUE(hotKeyActions(0xC001, kAtomIds).empty()) << "compared as registered, with sign";
    HotKeyIds ids = kAtomIds;
    ids[6] = ids[7] = ids[4];
    EXPECT_EQ(hotKeyActions(ids[4], ids),
              (Actions{{Kind::playMacroFile, 4}, {Kind::playList}, {Kind::stop}}));
}

}  // namespace
}  // namespace keyreel
