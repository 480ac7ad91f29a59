#include "core/recorder/key_translation.h"

#include <string_view>

#include "core/base/key_codes.h"
#include "core/recorder/key_event.h"

namespace keyreel {

namespace {

constexpr int kAnyMask = -1;

// What follows a row's text for a key of a range: the number of the
// function key, the small letter or the digit.
enum class Suffix { None, Number, Letter, Digit };

struct KeyRow {
    std::uint8_t first;
    std::uint8_t last;
    int mask;  // the exact shift mask the row needs, or kAnyMask
    std::string_view text;
    Suffix suffix = Suffix::None;
};

constexpr KeyRow single(std::uint8_t code, int mask, std::string_view text) {
    return {code, code, mask, text};
}

// Tested in this order; every row that matches writes its line. Capitals
// come out as Press_Shift, the small letter and Release_Shift, and the
// punctuation keys write their unshifted character whatever the mask: the
// shifted character as well would be typed twice on playback, with the
// recorded Shift still held.
constexpr KeyRow kKeyDownRows[] = {
    {key::F1, key::functionKey(12), kAnyMask, "Press_F", Suffix::Number},
    {key::letter('A'), key::letter('Z'), kAnyMask, "SendText >", Suffix::Letter},
    {key::Digit0, key::Digit0 + 9, kAnyMask, "SendText >", Suffix::Digit},
    {key::Numpad0, key::Numpad0 + 9, kAnyMask, "SendText >", Suffix::Digit},
    single(key::Snapshot, kAnyMask, "Press_PrintScreen"),
    single(key::Menu, shift_mask::Alt, "Press_ALT"),
    single(key::Back, kAnyMask, "Press_BackSpace"),
    single(key::Tab, kAnyMask, "Press_Tab"),
    single(key::Return, kAnyMask, "Press_Enter"),
    single(key::Shift, shift_mask::Shift, "Press_Shift"),
    single(key::Control, shift_mask::Ctrl, "Press_CTRL"),
    single(key::Pause, kAnyMask, "Press_Pause"),
    single(key::Capital, kAnyMask, "Press_Caps"),
    single(key::Escape, kAnyMask, "Press_ESC"),
    single(key::Space, kAnyMask, "Press_Space"),
    single(key::Prior, kAnyMask, "Press_PageUp"),
    single(key::Next, kAnyMask, "Press_PageDown"),
    single(key::End, kAnyMask, "Press_End"),
    single(key::Home, kAnyMask, "Press_Home"),
    single(key::Left, kAnyMask, "Press_Left"),
    single(key::Up, kAnyMask, "Press_Up"),
    single(key::Down, kAnyMask, "Press_Down"),
    single(key::Right, kAnyMask, "Press_Right"),
    single(key::Insert, kAnyMask, "Press_Ins"),
    single(key::Delete, kAnyMask, "Press_Del"),
    single(key::NumLock, kAnyMask, "Press_NumLock"),
    single(key::Multiply, kAnyMask, "SendText >*"),
    single(key::Add, kAnyMask, "SendText >+"),
    single(key::Subtract, kAnyMask, "SendText >-"),
    single(key::Divide, kAnyMask, "SendText >/"),
    single(key::Grave, kAnyMask, "SendText >`"),
    single(key::Slash, kAnyMask, "SendText >/"),
    single(key::Period, kAnyMask, "SendText >."),
    single(key::Comma, kAnyMask, "SendText >,"),
    single(key::Quote, kAnyMask, "SendText >'"),
    single(key::Semicolon, kAnyMask, "SendText >;"),
    single(key::Backslash, kAnyMask, "SendText >\\"),
    single(key::CloseBracket, kAnyMask, "SendText >]"),
    single(key::OpenBracket, kAnyMask, "SendText >["),
    single(key::Equals, kAnyMask, "SendText >="),
    single(key::Minus, kAnyMask, "SendText >-"),
};

constexpr KeyRow kKeyUpRows[] = {
    single(key::Shift, 0, "Release_Shift"),
    single(key::Control, 0, "Release_CTRL"),
    single(key::Menu, 0, "Release_ALT"),
};

bool matches(const KeyRow& row, std::uint8_t keyCode, int shift) {
    return keyCode >= row.first && keyCode <= row.last &&
           (row.mask == kAnyMask || row.mask == shift);
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

std::vector<std::string> keyDownLines(std::uint8_t keyCode, int shift) {
    std::vector<std::string> lines;
    for (const KeyRow& row : kKeyDownRows) {
        if (matches(row, keyCode, shift))
            lines.push_back(lineOf(row, keyCode));
    }
    return lines;
}

std::optional<std::string> keyUpLine(std::uint8_t keyCode, int shift) {
    for (const KeyRow& row : kKeyUpRows) {
        if (matches(row, keyCode, shift))
            return lineOf(row, keyCode);
    }
    return std::nullopt;
}

std::string mouseMoveLine(int x, int y) {
    return "MouseMove >" + std::to_string(x) + "," + std::to_string(y);
}

}  // namespace keyreel
