#pragma once

// The system-wide hot keys: which combinations to register under which
// identifiers, and what an arriving hot key asks the main window to do.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/base/key_codes.h"
#include "core/settings/settings.h"

namespace keyreel {

// The eight hot keys in table order: F1 to F6, then CTRL+ALT+R (begin) and
// CTRL+ALT+S (stop). The atom name of each is its identifier's source.
inline constexpr std::size_t kHotKeyCount = 8;
inline constexpr std::size_t kBeginHotKey = 6;
inline constexpr std::size_t kStopHotKey = 7;

struct HotKeySlot {
    std::string_view atomName;
    std::uint8_t virtualKey;
};

inline constexpr std::array<HotKeySlot, kHotKeyCount> kHotKeySlots = {{
    {"MyHotKeyF1", key::functionKey(1)},
    {"MyHotKeyF2", key::functionKey(2)},
    {"MyHotKeyF3", key::functionKey(3)},
    {"MyHotKeyF4", key::functionKey(4)},
    {"MyHotKeyF5", key::functionKey(5)},
    {"MyHotKeyF6", key::functionKey(6)},
    {"MyHotKeyALTR", key::letter('R')},
    {"MyHotKeyALTS", key::letter('S')},
}};

// One 16-bit identifier per slot, in slot order. An identifier of 0 means
// the slot has none (its atom could not be made): it is never registered
// and never matches.
using HotKeyIds = std::array<std::int16_t, kHotKeyCount>;

// The identifier as registered and as it arrives with the hot-key message:
// the stored 16-bit value widened with its sign.
inline std::int32_t widenHotKeyId(std::int16_t id) {
    return id;
}

// The modifier of F1..F6: ALT, CTRL, both, or none (the bare function key).
std::uint32_t fKeyModifier(const HotKeySettings& settings);

struct HotKeyRegistration {
    std::size_t slot;  // index into kHotKeySlots and hotKeyIds
    std::int32_t id;
    std::uint32_t modifiers;
    std::uint8_t virtualKey;
    bool operator==(const HotKeyRegistration&) const = default;
};

// The hot keys the settings ask for, in slot order. CTRL+ALT+R and
// CTRL+ALT+S take CTRL+ALT whatever the F-key modifier is.
std::vector<HotKeyRegistration> planHotKeys(const HotKeySettings& settings,
                                            const HotKeyIds& hotKeyIds);

struct HotKeyAction {
    enum class Kind {
        playMacroFile,  // play fKeyMacro[fKey] through playMacroFile
        playList,       // play the list as it stands
        stop,           // request a stop
    };
    Kind kind;
    std::size_t fKey = 0;  // 0 for F1 .. 5 for F6; only for playMacroFile
    bool operator==(const HotKeyAction&) const = default;
};

// The actions for an arriving hot-key identifier, one per matching slot in
// slot order; none for an identifier that is not ours. Each action is to
// run to its end before the next one starts.
std::vector<HotKeyAction> hotKeyActions(std::int32_t arrivedId, const HotKeyIds& hotKeyIds);

}  // namespace keyreel
