#include "core/recorder/key_event.h"

#include <optional>

#include "core/base/key_codes.h"

namespace keyreel {

namespace {

// The slot of a modifier key in the held list. The generic codes count as
// the left key: Windows reports real keys by their sides, but a program may
// inject the generic code, and its release then comes as the generic code too.
std::optional<std::size_t> modifierSlot(std::uint8_t virtualKey) {
    if (virtualKey >= key::LeftShift && virtualKey <= key::RightMenu)
        return virtualKey - key::LeftShift;
    if (virtualKey >= key::Shift && virtualKey <= key::Menu)
        return (virtualKey - key::Shift) * 2;
    return std::nullopt;
}

}  // namespace

ModifierState ModifierState::seeded(const std::function<bool(std::uint8_t)>& isDown) {
    ModifierState state;
    for (std::size_t slot = 0; slot < state.held_.size(); ++slot)
        state.held_[slot] = isDown(static_cast<std::uint8_t>(key::LeftShift + slot));
    return state;
}

KeyEvent ModifierState::note(std::uint8_t virtualKey, bool down) {
    std::uint8_t reported = virtualKey;
    if (const auto slot = modifierSlot(virtualKey)) {
        held_[*slot] = down;
        reported = static_cast<std::uint8_t>(key::Shift + *slot / 2);
    }
    return {reported, mask(), down};
}

int ModifierState::mask() const {
    int mask = 0;
    if (held_[0] || held_[1])
        mask += shift_mask::Shift;
    if (held_[2] || held_[3])
        mask += shift_mask::Ctrl;
    if (held_[4] || held_[5])
        mask += shift_mask::Alt;
    return mask;
}

}  // namespace keyreel
