#include "win32/hot_keys.h"

#include "win32/wide_text.h"

namespace keyreel::win32 {

HotKeyIds addHotKeyAtoms() {
    HotKeyIds ids{};
    for (std::size_t slot = 0; slot < kHotKeyCount; ++slot) {
        const ATOM atom = GlobalAddAtomW(toWide(kHotKeySlots[slot].atomName).c_str());
        ids[slot] = static_cast<std::int16_t>(atom);
    }
    return ids;
}

void HotKeyRegistrations::registerHotKeys(std::span<const HotKeyRegistration> plan,
                                          HotKeyHoldings& holdings) {
    holdings.startRegistering();
    for (const HotKeyRegistration& hotKey : plan) {
        const bool registered =
            RegisterHotKey(window_, hotKey.id, hotKey.modifiers | MOD_NOREPEAT, hotKey.virtualKey);
        if (registered)
            registered_.push_back(hotKey.id);
        holdings.registrationDone(hotKey, registered);
    }
}

void HotKeyRegistrations::unregisterAll() {
    for (const int id : registered_)
        UnregisterHotKey(window_, id);
    registered_.clear();
}

}  // namespace keyreel::win32
