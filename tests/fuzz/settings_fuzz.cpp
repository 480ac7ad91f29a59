// Stored setting texts, whatever a hand-edited registry holds, through the
// readers, the hot-key plan and dispatch, the start-up plan and a save.

#include "core/main_window/startup.h"
#include "core/settings/hot_key_plan.h"
#include "core/settings/settings.h"
#include "fuzz_check.h"

namespace keyreel {
namespace {

using Entry = std::pair<std::string_view, std::string_view>;

std::vector<Entry> settingEntries() {
    using namespace setting;
    std::vector<Entry> entries = {
        {kStartup, kRun},        {kStartup, kDelay},      {kStartup, kRunLoaded},
        {kStartup, kEnableAltR}, {kStartup, kEnableAltS}, {kStartup, kEnableMouse},
        {kHotKey, kAlt},         {kHotKey, kCtrl},
    };
    for (const std::string_view fKey : kFunctionKeys) {
        entries.push_back({kHotKey, fKey});
        entries.push_back({kHotKeyMacro, fKey});
    }
    return entries;
}

// Atom identifiers, some missing (0) and some the same.
HotKeyIds idsFrom(std::string_view bytes) {
    HotKeyIds ids{};
    for (std::size_t slot = 0; slot < kHotKeyCount; ++slot) {
        const auto byte = slot < bytes.size() ? static_cast<std::uint8_t>(bytes[slot]) : 0;
        ids[slot] = static_cast<std::int16_t>(byte % 4 == 0 ? 0 : 0xC000 + byte % 16 - 8);
    }
    return ids;
}

void checkPlan(const HotKeySettings& hotKeys, const HotKeyIds& ids) {
    const std::vector<HotKeyRegistration> plan = planHotKeys(hotKeys, ids);
    FUZZ_CHECK(plan.size() <= kHotKeyCount);
    std::set<std::size_t> slots;
    for (const HotKeyRegistration& registration : plan) {
        FUZZ_CHECK(registration.slot < kHotKeyCount && slots.insert(registration.slot).second);
        FUZZ_CHECK(registration.id != 0 && registration.id == ids[registration.slot]);
        FUZZ_CHECK(registration.virtualKey == kHotKeySlots[registration.slot].virtualKey);
        const auto actions = hotKeyActions(registration.id, ids);
        FUZZ_CHECK(!actions.empty());
        for (const HotKeyAction& action : actions) {
            if (action.kind == HotKeyAction::Kind::playMacroFile)
                FUZZ_CHECK(action.fKey < hotKeys.fKeyMacro.size());
        }
    }
    FUZZ_CHECK(hotKeyActions(0, ids).empty());
}

void checkStartup(const StartupSettings& startup, std::string_view commandLine) {
    const StartupPlan plan =
        planStartup(commandLine, startup.runLoaded, startup.pauseEnabled, startup.pauseSeconds);
    FUZZ_CHECK(plan.hideToTray == plan.macroPath.empty());
    FUZZ_CHECK(!plan.countdown || plan.play);
    FUZZ_CHECK(!plan.play || !plan.hideToTray);
    FUZZ_CHECK(plan.macroPath.size() <= commandLine.size());
}

}  // namespace
}  // namespace keyreel

FUZZ_TARGET(bytes) {
    using namespace keyreel;
    const std::vector<std::string_view> values = piecesOf(bytes, '\n');
    // One value a line in the order of settingEntries(), then the command line.
    const std::vector<Entry> entries = settingEntries();
    MemorySettingsStore store;
    for (std::size_t i = 0; i < entries.size() && i < values.size(); ++i)
        store.writeSetting(entries[i].first, entries[i].second, values[i]);
    const std::string_view commandLine =
        values.size() > entries.size() ? values[entries.size()] : std::string_view{};

    const StartupSettings startup = readStartupSettings(store);
    const HotKeySettings hotKeys = loadHotKeySettings(store);
    FUZZ_CHECK(hotKeys.beginEnabled == startup.beginEnabled);
    FUZZ_CHECK(hotKeys.stopEnabled == startup.stopEnabled);
    checkPlan(hotKeys, idsFrom(bytes));
    checkStartup(startup, commandLine);

    PreferenceValues shown;
    shown.pauseEnabled = startup.pauseEnabled;
    shown.delay = std::to_string(startup.pauseSeconds);
    shown.runLoaded = startup.runLoaded;
    shown.mouseTrackingOff = startup.mouseTrackingOff;
    shown.hotKeys = hotKeys;
    MemorySettingsStore saved;
    FUZZ_CHECK(saveSettings(saved, shown));
    FUZZ_CHECK(loadHotKeySettings(saved) == hotKeys);
    const StartupSettings reread = readStartupSettings(saved);
    FUZZ_CHECK(reread.runLoaded == shown.runLoaded && reread.pauseSeconds == startup.pauseSeconds);
    FUZZ_CHECK(reread.pauseEnabled == shown.pauseEnabled);
}
