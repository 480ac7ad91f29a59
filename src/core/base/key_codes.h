#pragma once

// The key codes, pointer-event flags and hot-key modifiers the core shares
// with Windows, named once. They are Windows' own numbers: macro files,
// settings and recorded macros hold them, and src/win32 checks every one
// against the system headers at compile time.

#include <cstdint>

namespace keyreel {

namespace key {
inline constexpr std::uint8_t Back = 0x08;
inline constexpr std::uint8_t Tab = 0x09;
inline constexpr std::uint8_t Return = 0x0D;
inline constexpr std::uint8_t Shift = 0x10;
inline constexpr std::uint8_t Control = 0x11;
inline constexpr std::uint8_t Menu = 0x12;  // Alt
inline constexpr std::uint8_t Pause = 0x13;
inline constexpr std::uint8_t Capital = 0x14;
inline constexpr std::uint8_t Escape = 0x1B;
inline constexpr std::uint8_t Space = 0x20;
inline constexpr std::uint8_t Prior = 0x21;  // Page Up
inline constexpr std::uint8_t Next = 0x22;   // Page Down
inline constexpr std::uint8_t End = 0x23;
inline constexpr std::uint8_t Home = 0x24;
inline constexpr std::uint8_t Left = 0x25;
inline constexpr std::uint8_t Up = 0x26;
inline constexpr std::uint8_t Right = 0x27;
inline constexpr std::uint8_t Down = 0x28;
inline constexpr std::uint8_t Snapshot = 0x2C;  // Print Screen
inline constexpr std::uint8_t Insert = 0x2D;
inline constexpr std::uint8_t Delete = 0x2E;
inline constexpr std::uint8_t Digit0 = 0x30;   // '0' .. '9' follow in order
inline constexpr std::uint8_t LetterA = 0x41;  // 'A' .. 'Z' follow in order
inline constexpr std::uint8_t Add = 0x6B;      // the keypad's plus
inline constexpr std::uint8_t F1 = 0x70;       // F1 .. F24 follow in order
inline constexpr std::uint8_t NumLock = 0x90;
inline constexpr std::uint8_t ScrollLock = 0x91;
// The left and right forms of Shift, Ctrl and Alt, in that order from 0xA0.
inline constexpr std::uint8_t LeftShift = 0xA0;
inline constexpr std::uint8_t RightMenu = 0xA5;

// The keypad's digits ('0' .. '9' follow in order from Numpad0) and its
// operators besides Add.
inline constexpr std::uint8_t Numpad0 = 0x60;
inline constexpr std::uint8_t Multiply = 0x6A;
inline constexpr std::uint8_t Subtract = 0x6D;
inline constexpr std::uint8_t Divide = 0x6F;
// The punctuation keys of the US layout, by the character they type unshifted.
inline constexpr std::uint8_t Semicolon = 0xBA;  // VK_OEM_1
inline constexpr std::uint8_t Equals = 0xBB;     // VK_OEM_PLUS
inline constexpr std::uint8_t Comma = 0xBC;
inline constexpr std::uint8_t Minus = 0xBD;
inline constexpr std::uint8_t Period = 0xBE;
inline constexpr std::uint8_t Slash = 0xBF;         // VK_OEM_2
inline constexpr std::uint8_t Grave = 0xC0;         // VK_OEM_3
inline constexpr std::uint8_t OpenBracket = 0xDB;   // VK_OEM_4
inline constexpr std::uint8_t Backslash = 0xDC;     // VK_OEM_5
inline constexpr std::uint8_t CloseBracket = 0xDD;  // VK_OEM_6
inline constexpr std::uint8_t Quote = 0xDE;         // VK_OEM_7

constexpr std::uint8_t letter(char upper) {
    return static_cast<std::uint8_t>(LetterA + (upper - 'A'));
}
constexpr std::uint8_t functionKey(int n) {
    return static_cast<std::uint8_t>(F1 + (n - 1));
}
}  // namespace key

// Mouse buttons as virtual keys, for their key state.
namespace button {
inline constexpr std::uint8_t Left = 0x01;
inline constexpr std::uint8_t Right = 0x02;
}  // namespace button

// Button flags of the synthetic pointer events.
enum MouseEventFlag : std::uint32_t {
    LeftDown = 0x02,
    LeftUp = 0x04,
    RightDown = 0x08,
    RightUp = 0x10,
};

// Hot-key modifiers as the system counts them.
inline constexpr std::uint32_t kModifierAlt = 1;
inline constexpr std::uint32_t kModifierCtrl = 2;

}  // namespace keyreel
