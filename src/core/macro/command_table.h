#pragma once

// The command vocabulary of the macro language, in the order in which the
// player compares a word with the command words. The player's dispatcher,
// the lint tool, the builder's command list and the help pages all read this
// table.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

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
    // Where the main window's builder lists the word; kNotInBuilder for a
    // word it does not offer.
    std::int8_t builderPosition;
};

inline constexpr std::int8_t kNotInBuilder = -1;

std::span<const CommandInfo> commandTable();

// The words the builder offers, in its own order (which is not the order of
// comparison): entry i is the word at builder position i.
std::vector<std::string_view> builderCommandWords();

// The entry whose word equals `word` exactly (case-sensitive), if any.
const CommandInfo* findCommand(std::string_view word);

// Words that recorded macros may hold and that look like command words, but
// that play as nothing.
std::span<const std::string_view> silentWords();

}  // namespace keyreel
