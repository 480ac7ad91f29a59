#include "core/settings/hot_key_registry.h"

namespace keyreel {

void HotKeyRegistry::addAtoms() {
    if (atomsAdded_)
        return;
    for (std::size_t slot = 0; slot < kHotKeyCount; ++slot)
        hotKeyIds_[slot] = platform_.addAtom(kHotKeySlots[slot].atomName);
    atomsAdded_ = true;
}

void HotKeyRegistry::registerHotKeys(const HotKeySettings& settings) {
    withdrawAll();
    taken_ = {};
    for (const HotKeyRegistration& hotKey : planHotKeys(settings, hotKeyIds_)) {
        if (platform_.registerHotKey(hotKey))
            registered_.push_back(hotKey.id);
        else
            taken_[hotKey.slot] = true;
    }
}

void HotKeyRegistry::withdrawAll() {
    for (const std::int32_t id : registered_)
        platform_.unregisterHotKey(id);
    registered_.clear();
}

void HotKeyRegistry::release() {
    withdrawAll();
    taken_ = {};
    if (!atomsAdded_)
        return;
    for (std::int16_t& id : hotKeyIds_) {
        if (id != 0)
            platform_.deleteAtom(id);
        id = 0;
    }
    atomsAdded_ = false;
}

}  // namespace keyreel
