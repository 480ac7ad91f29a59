// The settings store's reference behaviour and the readers' conversion rules.

#include "settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace keyreel {
namespace {

// A store that logs every write and can be told to fail one of them.
class RecordingStore final : public SettingsStore {
  public:
    std::string readSetting(std::string_view section, std::string_view key) override {
        return inner.readSetting(section, key);
    }
    bool writeSetting(std::string_view section, std::string_view key,
                      std::string_view value) override {
        writes.push_back(std::string(section) + "/" + std::string(key) + "=" + std::string(value));
        if (writes.size() == failingWrite)
            return false;
        return inner.writeSetting(section, key, value);
    }

    MemorySettingsStore inner;
    std::vector<std::string> writes;
    std::size_t failingWrite = 0;  // 1-based; 0 = none fails
};

class Settings : public ::testing::Test {
  protected:
    StartupSettings startupWith(std::string_view key, std::string_view value) {
        MemorySettingsStore fresh;
        fresh.writeSetting("startup", key, value);
        return readStartupSettings(fresh);
    }

    MemorySettingsStore store;
};

TEST_F(Settings, StoreMatchesNamesWithoutCaseAndKeepsValuesExactly) {
    EXPECT_EQ(store.readSetting("startup", "Run"), "");
    store.writeSetting("startup", "run", "0");
    EXPECT_EQ(store.readSetting("STARTUP", "Run"), "0");
    store.writeSetting("StartUp", "RUN", "1");
    EXPECT_EQ(store.readSetting("startup", "run"), "1") << "one entry, replaced";

    store.writeSetting("hKeyLoc", "F1", "  C:\\Macros\\Grüße €.kyr ");
    EXPECT_EQ(store.readSetting("hkeyloc", "f1"), "  C:\\Macros\\Grüße €.kyr ");
    EXPECT_EQ(store.readSetting("hotkey", "F1"), "") << "sections are separate";
}

TEST_F(Settings, EmptyStoreGivesTheFirstRunStartup) {
    const StartupSettings startup = readStartupSettings(store);
    EXPECT_FALSE(startup.runLoaded);
    EXPECT_EQ(startup.pauseEnabled, 1);
    EXPECT_EQ(startup.pauseSeconds, 10);
    EXPECT_EQ(startup.mouseTrackingOff, 0);
    EXPECT_FALSE(startup.beginEnabled);
    EXPECT_FALSE(startup.stopEnabled);
}

TEST_F(Settings, PauseFlagIsOneWhenEmptyAndZeroWhenNoNumber) {
    const std::vector<std::pair<const char*, int>> cases = {
        {"", 1},    {"1", 1},   {"0", 0},   {" 1 ", 1},   {"abc", 0}, {" ", 0},
        {"-1", -1}, {"1.5", 2}, {"2.5", 2}, {"70000", 0}, {"1e0", 0}, {"0x1", 0},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(startupWith("Run", text).pauseEnabled, expected) << '"' << text << '"';
    }
}

TEST_F(Settings, PauseLengthIsTenWhenEmptyRoundedAndZeroWhenNoNumber) {
    const std::vector<std::pair<const char*, int>> cases = {
        {"", 10},          {"5", 5},     {" 7 ", 7},
        {"7.5", 8},        {"6.5", 6},   {"x", 0},
        {"5s", 0},         {"-3", -3},   {"2147483647", 2147483647},
        {"2147483648", 0}, {"150", 150}, {"0", 0},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(startupWith("delay", text).pauseSeconds, expected) << '"' << text << '"';
    }
}

TEST_F(Settings, RunLoadedPlaysForAnyNumberButZero) {
    for (const char* plays : {"1", "2", "-1", " 1 ", "0.4", "1.0"}) {
        EXPECT_TRUE(startupWith("runLoaded", plays).runLoaded) << '"' << plays << '"';
    }
    for (const char* loadsOnly : {"", "0", "00", "-0", "0.0", "yes", "1x", " "}) {
        EXPECT_FALSE(startupWith("runLoaded", loadsOnly).runLoaded) << '"' << loadsOnly << '"';
    }
}

TEST_F(Settings, MouseTrackingKeepsTheNumberSoOnlyOneSwitchesItOff) {
    EXPECT_EQ(startupWith("enableMouse", "1").mouseTrackingOff, 1);
    EXPECT_EQ(startupWith("enableMouse", "0").mouseTrackingOff, 0);
    EXPECT_EQ(startupWith("enableMouse", "2").mouseTrackingOff, 2);
    EXPECT_EQ(startupWith("enableMouse", "off").mouseTrackingOff, 0);
    EXPECT_EQ(startupWith("ENABLEMOUSE", "1.2").mouseTrackingOff, 1);
}

TEST_F(Settings, FlagsAreOnOnlyForTheTextOne) {
    EXPECT_TRUE(startupWith("enableALTR", "1").beginEnabled);
    EXPECT_TRUE(startupWith("enablealts", "1").stopEnabled);
    for (const char* off : {"", "0", " 1", "1 ", "01", "1.0", "true", "2", "-1"}) {
        EXPECT_FALSE(startupWith("enableALTR", off).beginEnabled) << '"' << off << '"';
        EXPECT_FALSE(settingIsOn(off)) << '"' << off << '"';
    }
}

TEST_F(Settings, EmptyStoreGivesAltAsModifierAndNoHotKeys) {
    EXPECT_EQ(loadHotKeySettings(store), HotKeySettings{});
    const HotKeySettings defaults = loadHotKeySettings(store);
    EXPECT_TRUE(defaults.alt);
    EXPECT_FALSE(defaults.ctrl);
    EXPECT_FALSE(defaults.beginEnabled);
    EXPECT_FALSE(defaults.stopEnabled);
    for (std::size_t n = 0; n < 6; ++n) {
        EXPECT_FALSE(defaults.fKeyEnabled[n]);
        EXPECT_EQ(defaults.fKeyMacro[n], "");
    }
}

TEST_F(Settings, HotKeySettingsReadTheirSectionsAndKeepPathsAsStored) {
    store.writeSetting("hotkey", "alt", "0");
    store.writeSetting("hotkey", "ctrl", "1");
    store.writeSetting("hotkey", "f2", "1");
    store.writeSetting("hotkey", "F5", "yes");
    store.writeSetting("hotkey", "F6", "0");
    store.writeSetting("hkeyloc", "F6", " C:\\a b\\six.kyr  ");
    store.writeSetting("startup", "enableALTS", "1");

    const HotKeySettings settings = loadHotKeySettings(store);
    EXPECT_FALSE(settings.alt);
    EXPECT_TRUE(settings.ctrl);
    EXPECT_FALSE(settings.beginEnabled);
    EXPECT_TRUE(settings.stopEnabled);
    EXPECT_EQ(settings.fKeyEnabled, (std::array<bool, 6>{false, true, false, false, false, false}));
    EXPECT_EQ(settings.fKeyMacro[5], " C:\\a b\\six.kyr  ") << "loaded though F6 is off";

    store.writeSetting("hotkey", "ALT", "");
    EXPECT_TRUE(loadHotKeySettings(store).alt) << "an empty text counts as absent";
    store.writeSetting("hotkey", "ALT", "no");
    EXPECT_FALSE(loadHotKeySettings(store).alt);
}

TEST_F(Settings, SaveWritesAllTwentyEntriesInOrder) {
    PreferenceValues values;
    values.pauseEnabled = false;
    values.delay = " 12x";
    values.runLoaded = true;
    values.mouseTrackingOff = true;
    values.hotKeys.alt = false;
    values.hotKeys.ctrl = true;
    values.hotKeys.beginEnabled = true;
    values.hotKeys.fKeyEnabled[3] = true;
    values.hotKeys.fKeyMacro[3] = " D:\\four.kyr ";

    RecordingStore recorder;
    EXPECT_TRUE(saveSettings(recorder, values));
    EXPECT_EQ(recorder.writes,
              (std::vector<std::string>{
                  "startup/run=0",        "startup/delay= 12x",   "startup/runLoaded=1",
                  "startup/enableALTR=1", "startup/enableALTS=0", "startup/enableMouse=1",
                  "hotkey/ALT=0",         "hotkey/CTRL=1",        "hotkey/F1=0",
                  "hotkey/F2=0",          "hotkey/F3=0",          "hotkey/F4=1",
                  "hotkey/F5=0",          "hotkey/F6=0",          "hKeyLoc/F1=",
                  "hKeyLoc/F2=",          "hKeyLoc/F3=",          "hKeyLoc/F4= D:\\four.kyr ",
                  "hKeyLoc/F5=",          "hKeyLoc/F6=",
              }));

    EXPECT_EQ(loadHotKeySettings(recorder), values.hotKeys);
    const StartupSettings startup = readStartupSettings(recorder);
    EXPECT_EQ(startup.pauseEnabled, 0) << "read as \"Run\", saved as \"run\"";
    EXPECT_EQ(startup.pauseSeconds, 0) << "the delay text is saved unchecked";
    EXPECT_TRUE(startup.runLoaded);
    EXPECT_EQ(startup.mouseTrackingOff, 1);
}

TEST_F(Settings, SaveReportsAFailedWriteAndStillWritesTheRest) {
    RecordingStore recorder;
    recorder.failingWrite = 2;
    EXPECT_FALSE(saveSettings(recorder, PreferenceValues{}));
    EXPECT_EQ(recorder.writes.size(), 20u);
    EXPECT_EQ(recorder.inner.readSetting("startup", "delay"), "");
    EXPECT_EQ(recorder.inner.readSetting("hotkey", "ALT"), "1");
}

}  // namespace
}  // namespace keyreel
