// Setting texts as a hand-edited registry may hold them, through the readers,
// the hot-key plan and dispatch, the start-up plan and a save.

#include "core/main_window/startup.h"
#include "core/settings/hot_key_plan.h"
#include "core/settings/preferences.h"
#include "core/settings/settings.h"
#include "fuzz_check.h"

using namespace keyreel;
using namespace keyreel::setting;

// Input line i holds the value of kEntries[i]; the line after them is the command line.
constexpr std::pair<std::string_view, std::string_view> kEntries[] = {
    {kStartup, kRun},        {kStartup, kDelay},      {kStartup, kRunLoaded},
    {kStartup, kEnableAltR}, {kStartup, kEnableAltS}, {kStartup, kEnableMouse},
    {kHotKey, kAlt},         {kHotKey, kCtrl},        {kHotKey, "F1"},
    {kHotKeyMacro, "F1"},    {kHotKey, "F2"},         {kHotKeyMacro, "F2"},
    {kHotKey, "F3"},         {kHotKeyMacro, "F3"},    {kHotKey, "F4"},
    {kHotKeyMacro, "F4"},    {kHotKey, "F5"},         {kHotKeyMacro, "F5"},
    {kHotKey, "F6"},         {kHotKeyMacro, "F6"}};
constexpr std::size_t kEntryCount = std::size(kEntries);

static void checkPlan(const HotKeySettings& hotKeys, std::string_view bytes) {
    HotKeyIds ids{};  // atom identifiers, some missing (0) and some the same
    for (std::size_t slot = 0; slot < kHotKeyCount; ++slot) {
        const std::uint8_t byte = byteAt(bytes, slot);
        ids[slot] = static_cast<std::int16_t>(byte % 4 == 0 ? 0 : 0xC000 + byte % 16 - 8);
    }
    std::set<std::size_t> slots;
    for (const HotKeyRegistration& registration : planHotKeys(hotKeys, ids)) {
        FUZZ_CHECK(registration.slot < kHotKeyCount && slots.insert(registration.slot).second);
        FUZZ_CHECK(registration.id != 0 && registration.id == ids[registration.slot]);
        FUZZ_CHECK(registration.virtualKey == kHotKeySlots[registration.slot].virtualKey);
        const auto actions = hotKeyActions(registration.id, ids);
        FUZZ_CHECK(!actions.empty());
        for (const HotKeyAction& action : actions)
            FUZZ_CHECK(action.kind != HotKeyAction::Kind::playMacroFile ||
                       action.fKey < hotKeys.fKeyMacro.size());
    }
    FUZZ_CHECK(hotKeyActions(0, ids).empty());
}

FUZZ_TARGET(bytes) {
    const std::vector<std::string> values = piecesOf(bytes, '\n');
    MemorySettingsStore store;
    for (std::size_t i = 0; i < kEntryCount && i < values.size(); ++i)
        store.writeSetting(kEntries[i].first, kEntries[i].second, values[i]);
    const std::string commandLine = values.size() > kEntryCount ? values[kEntryCount] : "";

    const StartupSettings startup = readStartupSettings(store);
    const HotKeySettings hotKeys = loadHotKeySettings(store);
    FUZZ_CHECK(hotKeys.beginEnabled == startup.beginEnabled &&
               hotKeys.stopEnabled == startup.stopEnabled);
    checkPlan(hotKeys, bytes);

    const StartupPlan plan =
        planStartup(commandLine, startup.runLoaded, startup.pauseEnabled, startup.pauseSeconds);
    FUZZ_CHECK(plan.macroPath.size() <= commandLine.size());

    // What the preferences window shows, saved, shows again the same.
    const PreferenceValues shown = loadPreferenceControls(hotKeys, store).values;
    MemorySettingsStore saved;
    FUZZ_CHECK(saveSettings(saved, shown));
    FUZZ_CHECK(loadPreferenceControls(loadHotKeySettings(saved), saved).values == shown);
}
