#include "core/recorder/key_translation.h"

#include <iterator>
#include <string_view>

#include "core/base/key_codes.h"
#include "core/recorder/key_event.h"

namespace keyreel {

namespace {

// What follows a row's text for a key of a range: the number of the
// function key, the small letter or the digit.
enum class Suffix { None, Number, Letter, Digit };

struct KeyRow {
    std::uint8_t first;
    std::uint8_t last;
    std::string_view text;
    Suffix suffix = Suffix::None;
};

constexpr KeyRow single(std::uint8_t code, std::string_view text) {
    return {code, code, text};
}

// The punctuation keys write their unshifted character only: with the
// recorded Shift held, typing it gives the shifted one.
constexpr KeyRow kKeyRows[] = {
    {key::F1, key::functionKey(12), "Press_F", Suffix::Number},
    {key::letter('A'), key::letter('Z'), "SendText >", Suffix::Letter},
    {key::Digit0, key::Digit0 + 9, "SendText >", Suffix::Digit},
    {key::Numpad0, key::Numpad0 + 9, "SendText >", Suffix::Digit},
    single(key::Snapshot, "Press_PrintScreen"),
    single(key::Back, "Press_BackSpace"),
    single(key::Tab, "Press_Tab"),
    single(key::Return, "Press_Enter"),
    single(key::Pause, "Press_Pause"),
    single(key::Capital, "Press_Caps"),
    single(key::Escape, "Press_ESC"),
    single(key::Space, "Press_Space"),
    single(key::Prior, "Press_PageUp"),
    single(key::Next, "Press_PageDown"),
    single(key::End, "Press_End"),
    single(key::Home, "Press_Home"),
    single(key::Left, "Press_Left"),
    single(key::Up, "Press_Up"),
    single(key::Down, "Press_Down"),
    single(key::Right, "Press_Right"),
    single(key::Insert, "Press_Ins"),
    single(key::Delete, "Press_Del"),
    single(key::NumLock, "Press_NumLock"),
    single(key::Multiply, "SendText >*"),
    single(key::Add, "SendText >+"),
    single(key::Subtract, "SendText >-"),
    single(key::Divide, "SendText >/"),
    single(key::Grave, "SendText >`"),
    single(key::Slash, "SendText >/"),
    single(key::Period, "SendText >."),
    single(key::Comma, "SendText >,"),
    single(key::Quote, "SendText >'"),
    single(key::Semicolon, "SendText >;"),
    single(key::Backslash, "SendText >\\"),
    single(key::CloseBracket, "SendText >]"),
    single(key::OpenBracket, "SendText >["),
    single(key::Equals, "SendText >="),
    single(key::Minus, "SendText >-"),
};

struct ModifierWords {
    std::uint8_t keyCode;
    int bit;  // in the shift mask
    const char* hold;
    const char* release;
};

// In the order their holds are written when several go down at once.
constexpr ModifierWords kModifiers[] = {
    {key::Shift, shift_mask::Shift, "Press_Shift", "Release_Shift"},
    {key::Control, shift_mask::Ctrl, "Press_CTRL", "Release_CTRL"},
    {key::Menu, shift_mask::Alt, "ALT_Down", "ALT_Up"},
};

const ModifierWords* modifierOf(std::uint8_t keyCode) {
    for (const ModifierWords& modifier : kModifiers) {
        if (modifier.keyCode == keyCode)
            return &modifier;
    }
    return nullptr;
}

std::string lineOf(const KeyRow& row, std::uint8_t keyCode) {
    std::string line(row.text);
    const int offset = keyCode - row.first;
    switch (row.suffix) {
        case Suffix::Number:
            line += std::to_string(offset + 1);
            break;
        case Suffix::Letter:
            line += static_cast<char>('a' + offset);
            break;
        case Suffix::Digit:
            line += static_cast<char>('0' + offset);
            break;
        case Suffix::None:
            break;
    }
    return line;
}

}  // namespace

std::optional<std::string> keyLine(std::uint8_t keyCode) {
    for (const KeyRow& row : kKeyRows) {
        if (keyCode >= row.first && keyCode <= row.last)
            return lineOf(row, keyCode);
    }
    return std::nullopt;
}

std::vector<std::string> KeyTranslator::keyDown(std::uint8_t keyCode, int shift) {
    std::vector<std::string> lines;
    if (const ModifierWords* modifier = modifierOf(keyCode)) {
        setHold(modifier->bit, (shift & modifier->bit) != 0, lines);
        return lines;
    }
    const auto line = keyLine(keyCode);
    if (!line)
        return lines;
    holdExactly(shift, lines);
    lines.push_back(*line);
    return lines;
}

std::vector<std::string> KeyTranslator::keyUp(std::uint8_t keyCode, int shift) {
    std::vector<std::string> lines;
    // One side let go while the other is held leaves the modifier held.
    if (const ModifierWords* modifier = modifierOf(keyCode))
        setHold(modifier->bit, (shift & modifier->bit) != 0, lines);
    return lines;
}

std::vector<std::string> KeyTranslator::releaseAll() {
    std::vector<std::string> lines;
    holdExactly(0, lines);
    return lines;
}

void KeyTranslator::setHold(int modifier, bool down, std::vector<std::string>& lines) {
    if (((held_ & modifier) != 0) == down)
        return;
    for (const ModifierWords& words : kModifiers) {
        if (words.bit == modifier)
            lines.emplace_back(down ? words.hold : words.release);
    }
    held_ ^= modifier;
}

// Releases first, the last modifier first, then the holds in their order.
void KeyTranslator::holdExactly(int shift, std::vector<std::string>& lines) {
    for (auto it = std::rbegin(kModifiers); it != std::rend(kModifiers); ++it) {
        if ((shift & it->bit) == 0)
            setHold(it->bit, false, lines);
    }
    for (const ModifierWords& modifier : kModifiers) {
        if ((shift & modifier.bit) != 0)
            setHold(modifier.bit, true, lines);
    }
}

std::string mouseMoveLine(int x, int y) {
    return "MouseMove >" + std::to_string(x) + "," + std::to_string(y);
}

const char* buttonLine(std::uint8_t button, bool down) {
    if (button == button::Right)
        return down ? "RDown" : "RUp";
    return down ? "LDown" : "LUp";
}

std::string waitLine(int seconds) {
    return "Wait >" + std::to_string(seconds);
}

}  // namespace keyreel
