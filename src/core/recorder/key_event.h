#pragma once

// The key events the keyboard hook reports and the recorder turns into
// macro lines, and the modifier state the hook keeps to report them.

#include <array>
#include <cstdint>
#include <functional>

namespace keyreel {

// The shift mask of a key event: the modifiers held, added.
namespace shift_mask {
inline constexpr int Shift = 1;
inline constexpr int Ctrl = 2;
inline constexpr int Alt = 4;
}  // namespace shift_mask

struct KeyEvent {
    std::uint8_t keyCode = 0;  // a virtual-key code; modifiers by their generic code
    int shift = 0;             // the shift mask once this event has happened
    bool down = false;

    bool operator==(const KeyEvent&) const = default;
};

// Shift, Ctrl and Alt, left and right apart, as the key events seen so far
// leave them. Keeping this from the events themselves, rather than asking
// the keyboard when an event is handled, gives each event the modifiers of
// its own moment: asked later, a quick tap looks like two releases.
class ModifierState {
  public:
    // The state of the moment watching begins; `isDown` is asked for the
    // six left and right modifier codes.
    static ModifierState seeded(const std::function<bool(std::uint8_t virtualKey)>& isDown);

    // Takes one key transition in and reports it: the left and right
    // modifier codes folded into the generic ones, and the mask after the
    // transition, so pressing Shift gives (16, 1) and releasing it (16, 0).
    KeyEvent note(std::uint8_t virtualKey, bool down);
    int mask() const;

  private:
    // Left Shift, right Shift, left Ctrl, right Ctrl, left Alt, right Alt.
    std::array<bool, 6> held_{};
};

}  // namespace keyreel
