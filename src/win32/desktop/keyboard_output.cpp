// Keyboard output: single key events, characters through the keyboard layout
// of the foreground window, and the Alt tap.

#include <array>
#include <optional>

#include "win32/desktop/win32_desktop.h"
#include "win32/send_input.h"

namespace keyreel::win32 {

namespace {

// The modifier bits of VkKeyScanEx and the keys that make them.
struct Modifier {
    BYTE bit;
    WORD virtualKey;
};
constexpr std::array<Modifier, 3> kModifiers{{{1, VK_SHIFT}, {2, VK_CONTROL}, {4, VK_MENU}}};
constexpr BYTE kKnownModifierBits = 1 | 2 | 4;

// ToUnicodeEx flag: leave the keyboard's dead-key state alone.
constexpr UINT kKeepKeyboardState = 4;

// How long the Alt tap waits for a hung foreground program.
constexpr UINT kAltTapTimeoutMillis = 1000;

struct KeyStroke {
    WORD virtualKey;
    BYTE modifiers;
};

HKL foregroundLayout() {
    const HWND foreground = GetForegroundWindow();
    const DWORD thread = foreground != nullptr ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    return GetKeyboardLayout(thread);
}

bool strokeProduces(const KeyStroke& stroke, wchar_t character, HKL layout) {
    std::array<BYTE, 256> state{};
    for (const Modifier& modifier : kModifiers) {
        if ((stroke.modifiers & modifier.bit) != 0)
            state[modifier.virtualKey] = 0x80;
    }
    std::array<wchar_t, 4> produced{};
    const UINT scanCode = MapVirtualKeyExW(stroke.virtualKey, MAPVK_VK_TO_VSC, layout);
    const int count = ToUnicodeEx(stroke.virtualKey, scanCode, state.data(), produced.data(),
                                  static_cast<int>(produced.size()), kKeepKeyboardState, layout);
    return count == 1 && produced[0] == character;
}

// The key, with its modifiers, that types the character in this layout. The
// answer of VkKeyScanEx is checked against what the key really produces: for
// some keys of some X keymaps Wine names a key that types something else, and
// a dead key would only combine with the next character.
std::optional<KeyStroke> keyFor(char32_t character, HKL layout) {
    if (character > 0xFFFF || (character >= 0xD800 && character <= 0xDFFF))
        return std::nullopt;
    const auto unit = static_cast<wchar_t>(character);
    const SHORT found = VkKeyScanExW(unit, layout);
    if (found == -1)
        return std::nullopt;
    const KeyStroke stroke{LOBYTE(found), HIBYTE(found)};
    if ((stroke.modifiers & ~kKnownModifierBits) != 0)
        return std::nullopt;
    if (!strokeProduces(stroke, unit, layout))
        return std::nullopt;
    return stroke;
}

bool isDown(WORD virtualKey) {
    return (GetAsyncKeyState(virtualKey) & 0x8000) != 0;
}

bool typeWithKey(const KeyStroke& stroke) {
    std::array<INPUT, 2 * kModifiers.size() + 2> inputs{};
    std::size_t count = 0;
    // A modifier that is down already (held by the macro, say) stays down.
    std::array<WORD, kModifiers.size()> pressed{};
    std::size_t pressedCount = 0;
    for (const Modifier& modifier : kModifiers) {
        if ((stroke.modifiers & modifier.bit) == 0 || isDown(modifier.virtualKey))
            continue;
        pressed[pressedCount++] = modifier.virtualKey;
        inputs[count++] = keyInput(modifier.virtualKey, false);
    }
    inputs[count++] = keyInput(stroke.virtualKey, false);
    inputs[count++] = keyInput(stroke.virtualKey, true);
    while (pressedCount > 0)
        inputs[count++] = keyInput(pressed[--pressedCount], true);
    return sendInputs({inputs.data(), count});
}

bool typeAsUnicode(char32_t character) {
    if (character > 0x10FFFF)
        return false;
    std::array<wchar_t, 2> units{};
    std::size_t unitCount = 1;
    if (character >= 0x10000) {
        const char32_t offset = character - 0x10000;
        units[0] = static_cast<wchar_t>(0xD800 + (offset >> 10));
        units[1] = static_cast<wchar_t>(0xDC00 + (offset & 0x3FF));
        unitCount = 2;
    } else {
        units[0] = static_cast<wchar_t>(character);
    }
    std::array<INPUT, 4> inputs{};
    std::size_t count = 0;
    for (std::size_t i = 0; i < unitCount; ++i) {
        inputs[count++] = unicodeInput(units[i], false);
        inputs[count++] = unicodeInput(units[i], true);
    }
    return sendInputs({inputs.data(), count});
}

}  // namespace

bool Win32Desktop::keyEvent(std::uint8_t virtualKey, bool keyUp) {
    INPUT input = keyInput(virtualKey, keyUp);
    return sendInputs({&input, 1});
}

bool Win32Desktop::typeCharacter(char32_t character) {
    if (const auto stroke = keyFor(character, foregroundLayout()))
        return typeWithKey(*stroke);
    return typeAsUnicode(character);
}

bool Win32Desktop::tapAlt() {
    std::array<INPUT, 2> tap{keyInput(VK_MENU, false), keyInput(VK_MENU, true)};
    if (!sendInputs(tap))
        return false;
    // When a window of this thread has the focus, the key events are in this
    // thread's queue: handle them, and only them.
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    const HWND foreground = GetForegroundWindow();
    if (foreground == nullptr ||
        GetWindowThreadProcessId(foreground, nullptr) == GetCurrentThreadId()) {
        return true;
    }
    // A sent message is handled when the window's thread next reads its
    // queue, so after one round trip per key event that thread has taken
    // both events.
    for (std::size_t i = 0; i < tap.size(); ++i) {
        SendMessageTimeoutW(foreground, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAltTapTimeoutMillis,
                            nullptr);
    }
    return true;
}

}  // namespace keyreel::win32
