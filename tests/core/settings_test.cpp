// The settings store's reference behaviour and the readers' conversion rules.

#include "core/settings/settings.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "recording_store.h"

namespace keyreel {
namespace {

TEST(Settings, TheStoreMatchesNamesWithoutCaseAndKeepsValuesExactly) {
    MemorySettingsStore store;
    store.writeSetting("startup", "run", "0");
    store.writeSetting("StartUp", "RUN", "1");
    EXPECT_EQ(store.readSetting("STARTUP", "Run"), "1") << "one entry, replaced";
    store.writeSetting("hKeyLoc", "F1", "  C:\\Macros\\Grüße €.kyr ");
    EXPECT_EQ(store.readSetting("hkeyloc", "f1"), "  C:\\Macros\\Grüße €.kyr ");
    EXPECT_EQ(store.readSetting("hotkey", "F1"), "") << "sections are separate";
}

// The start-up value that a single entry of section "startup" gives.
int startupValue(const std::string& key, const std::string& text) {
    MemorySettingsStore store;
    store.writeSetting("startup", key, text);
    const StartupSettings read = readStartupSettings(store);
    const std::map<std::string, int> byKey = {
        {"Run", read.pauseEnabled},          {"delay", read.pauseSeconds},
        {"runLoaded", read.runLoaded},       {"enableMouse", read.mouseTrackingOff},
        {"enableALTR", read.beginEnabled},   {"enableALTS", read.stopEnabled},
        {"runScheduler", read.runScheduler},
    };
    return byKey.at(key);
}

TEST(Settings, StartupValuesHaveTheirDefaultsAndConversions) {
    const std::map<std::string, std::vector<std::pair<std::string, int>>> cases = {
        // Numbers: the default when empty, 0 when no number or out of range;
        // only 1 switches the pause on.
        {"Run", {{"", 1}, {" 1 ", 1}, {"0", 0}, {"abc", 0}, {"-1", 0}, {"1.5", 0}, {"70000", 0}}},
        {"delay",
         {{"", 10}, {"5s", 0}, {"70000", 70000}, {"2147483647", 2147483647}, {"2147483648", 0}}},
        // Plays for any number but zero, judged on the digits.
        {"runLoaded",
         {{"", 0}, {"2", 1}, {"-1", 1}, {"0.4", 1}, {"-0", 0}, {"0.0", 0}, {"yes", 0}}},
        // Only 1 switches the display off.
        {"enableMouse", {{"", 0}, {"2", 0}, {"1.2", 1}, {"off", 0}}},
        // Check boxes are on for exactly "1".
        {"enableALTR", {{"1", 1}, {"", 0}, {" 1", 0}, {"01", 0}, {"1.0", 0}, {"true", 0}}},
        {"enableALTS", {{"1", 1}, {"2", 0}}},
        // Off by default; read as "runLoaded" is.
        {"runScheduler", {{"", 0}, {"1", 1}, {"2", 1}, {"0", 0}, {"on", 0}, {" 1 ", 1}}},
    };
    for (const auto& [key, texts] : cases) {
        for (const auto& [text, expected] : texts)
            EXPECT_EQ(startupValue(key, text), expected) << key << " = \"" << text << '"';
    }
}

TEST(Settings, SaveWritesAllTwentyOneEntriesThatReadBackAndGoesOnPastAFailure) {
    MemorySettingsStore nothingSaved;
    nothingSaved.writeSetting("hotkey", "ALT", "");  // as good as absent
    EXPECT_EQ(loadHotKeySettings(nothingSaved), HotKeySettings{});
    EXPECT_TRUE(HotKeySettings{}.alt) << "ALT is the function keys' modifier until saved otherwise";

    const PreferenceValues values{.pauseEnabled = false,
                                  .delay = " 12x",
                                  .runLoaded = true,
                                  .mouseTrackingOff = true,
                                  .runScheduler = true,
                                  .hotKeys = {.alt = false,
                                              .ctrl = true,
                                              .stopEnabled = true,
                                              .fKeyEnabled = {false, false, false, true},
                                              .fKeyMacro = {"", "", "", "", "", " D:\\six .kyr "}}};
    RecordingStore recorder;
    recorder.failingWrite = 14;
    EXPECT_FALSE(saveSettings(recorder, values));
    EXPECT_EQ(recorder.writes, (std::vector<std::string>{
                                   "startup/run=0",
                                   "startup/delay= 12x",
                                   "startup/runLoaded=1",
                                   "startup/enableALTR=0",
                                   "startup/enableALTS=1",
                                   "startup/enableMouse=1",
                                   "hotkey/ALT=0",
                                   "hotkey/CTRL=1",
                                   "hotkey/F1=0",
                                   "hotkey/F2=0",
                                   "hotkey/F3=0",
                                   "hotkey/F4=1",
                                   "hotkey/F5=0",
                                   "hotkey/F6=0",
                                   "hKeyLoc/F1=",
                                   "hKeyLoc/F2=",
                                   "hKeyLoc/F3=",
                                   "hKeyLoc/F4=",
                                   "hKeyLoc/F5=",
                                   "hKeyLoc/F6= D:\\six .kyr ",
                                   "startup/runScheduler=1",
                               }));
    EXPECT_EQ(loadHotKeySettings(recorder), values.hotKeys)
        << "F6's macro is read though F6 is off";
    EXPECT_TRUE(readStartupSettings(recorder).runScheduler);
}

}  // namespace
}  // namespace keyreel
