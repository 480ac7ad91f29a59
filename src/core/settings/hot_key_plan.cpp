#include "core/settings/hot_key_plan.h"

#include <algorithm>

namespace keyreel {

std::uint32_t fKeyModifier(const HotKeySettings& settings) {
    return (settings.alt ? kModifierAlt : 0) | (settings.ctrl ? kModifierCtrl : 0);
}

std::vector<HotKeyRegistration> planHotKeys(const HotKeySettings& settings,
                                            const HotKeyIds& hotKeyIds) {
    std::array<bool, kHotKeyCount> wanted{};
    std::copy(settings.fKeyEnabled.begin(), settings.fKeyEnabled.end(), wanted.begin());
    wanted[kBeginHotKey] = settings.beginEnabled;
    wanted[kStopHotKey] = settings.stopEnabled;

    const std::uint32_t fKeyModifiers = fKeyModifier(settings);
    std::vector<HotKeyRegistration> plan;
    for (std::size_t slot = 0; slot < kHotKeyCount; ++slot) {
        if (!wanted[slot] || hotKeyIds[slot] == 0)
            continue;
        const bool isFunctionKey = slot < settings.fKeyEnabled.size();
        plan.push_back({slot, widenHotKeyId(hotKeyIds[slot]),
                        isFunctionKey ? fKeyModifiers : kModifierAlt | kModifierCtrl,
                        kHotKeySlots[slot].virtualKey});
    }
    return plan;
}

std::vector<HotKeyAction> hotKeyActions(std::int32_t arrivedId, const HotKeyIds& hotKeyIds) {
    std::vector<HotKeyAction> actions;
    for (std::size_t slot = 0; slot < kHotKeyCount; ++slot) {
        if (hotKeyIds[slot] == 0 || widenHotKeyId(hotKeyIds[slot]) != arrivedId)
            continue;
        if (slot == kBeginHotKey) {
            actions.push_back({HotKeyAction::Kind::playList});
        } else if (slot == kStopHotKey) {
            actions.push_back({HotKeyAction::Kind::stop});
        } else {
            actions.push_back({HotKeyAction::Kind::playMacroFile, slot});
        }
    }
    return actions;
}

}  // namespace keyreel
