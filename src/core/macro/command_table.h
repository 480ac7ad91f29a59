#pragma once

// The command vocabulary of the macro language, in the order in which the
// player compares a word with the command words. The player's dispatcher,
// the lint tool and the windows that offer command lists all read this table.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace keyreel {

enum class CommandKind : std::uint8_t {
    RunProgram,
    ExecuteFile,
    Message,
    WaitForWindow,
    Wait,
    SetFocus,
    SendText,
    TapKey,      // code: virtual-key code
    HoldKey,     // code: virtual-key code
    ReleaseKey,  // code: virtual-key code
    TapAlt,
    MouseMove,
    Click,        // code: MouseButton
    DoubleClick,  // code: MouseButton
    ButtonDown,   // code: MouseButton
    ButtonUp,     // code: MouseButton
    Repeat,
    EndRepeat,
    Loop,
    CloseWindow,
    MessageBox,
};

enum MouseButton : std::uint8_t { LeftButton = 0, RightButton = 1 };

struct CommandInfo {
    std::string_view word;
    bool takesValue;
    CommandKind kind;
    std::uint8_t code;
};

std::span<const CommandInfo> commandTable();

// The entry whose word equals `word` exactly (case-sensitive), if any.
const CommandInfo* findCommand(std::string_view word);

// Words that other parts of the program write but that play as nothing.
std::span<const std::string_view> silentWords();

}  // namespace keyreel
