#include "core/macro/command_table.h"

#include <array>

#include "core/base/key_codes.h"

namespace keyreel {

namespace {

using K = CommandKind;

// Columns: word, takes a value, kind, code, position in the builder's list
// (-1: not offered there).

constexpr std::array<CommandInfo, 59> kCommands = {{
    {"RunProgram", true, K::RunProgram, 0, 0},
    {"ExecuteFile", true, K::ExecuteFile, 0, 1},
    {"Message", false, K::Message, 0, kNotInBuilder},
    {"WaitForWindow", true, K::WaitForWindow, 0, 4},
    {"Wait", true, K::Wait, 0, 3},
    {"SetFocus", true, K::SetFocus, 0, 6},
    {"SendText", true, K::SendText, 0, 7},
    {"Press_Space", false, K::TapKey, key::Space, 11},
    {"Press_BackSpace", false, K::TapKey, key::Back, 12},
    {"Press_Tab", false, K::TapKey, key::Tab, 13},
    {"Press_Enter", false, K::TapKey, key::Return, 14},
    {"Press_ESC", false, K::TapKey, key::Escape, 15},
    {"Press_F1", false, K::TapKey, key::functionKey(1), 16},
    {"Press_F2", false, K::TapKey, key::functionKey(2), 17},
    {"Press_F3", false, K::TapKey, key::functionKey(3), 18},
    {"Press_F4", false, K::TapKey, key::functionKey(4), 19},
    {"Press_F5", false, K::TapKey, key::functionKey(5), 20},
    {"Press_F6", false, K::TapKey, key::functionKey(6), 21},
    {"Press_F7", false, K::TapKey, key::functionKey(7), 22},
    {"Press_F8", false, K::TapKey, key::functionKey(8), 23},
    {"Press_F9", false, K::TapKey, key::functionKey(9), 24},
    {"Press_F10", false, K::TapKey, key::functionKey(10), 25},
    {"Press_F11", false, K::TapKey, key::functionKey(11), 26},
    {"Press_F12", false, K::TapKey, key::functionKey(12), 27},
    {"Press_Home", false, K::TapKey, key::Home, 28},
    {"Press_End", false, K::TapKey, key::End, 29},
    {"Press_Up", false, K::TapKey, key::Up, 30},
    {"Press_Down", false, K::TapKey, key::Down, 31},
    {"Press_Left", false, K::TapKey, key::Left, 32},
    {"Press_Right", false, K::TapKey, key::Right, 33},
    {"Press_PageUp", false, K::TapKey, key::Prior, 34},
    {"Press_PageDown", false, K::TapKey, key::Next, 35},
    {"Press_Ins", false, K::TapKey, key::Insert, 36},
    {"Press_Del", false, K::TapKey, key::Delete, 37},
    {"Press_Shift", false, K::HoldKey, key::Shift, 38},
    {"Release_Shift", false, K::ReleaseKey, key::Shift, 39},
    {"Press_CTRL", false, K::HoldKey, key::Control, 40},
    {"Release_CTRL", false, K::ReleaseKey, key::Control, 41},
    {"Press_ALT", false, K::TapAlt, 0, 42},
    {"ALT_Down", false, K::HoldKey, key::Menu, 43},
    {"ALT_Up", false, K::ReleaseKey, key::Menu, 44},
    {"Press_Caps", false, K::TapKey, key::Capital, 45},
    {"Press_NumLock", false, K::TapKey, key::NumLock, 46},
    {"Press_ScrollLock", false, K::TapKey, key::ScrollLock, 47},
    {"Press_PrintScreen", false, K::TapKey, key::Snapshot, 48},
    {"MouseMove", true, K::MouseMove, 0, 8},
    {"LDblClick", false, K::DoubleClick, LeftButton, 49},
    {"RDblClick", false, K::DoubleClick, RightButton, 50},
    {"LClick", false, K::Click, LeftButton, 51},
    {"LDown", false, K::ButtonDown, LeftButton, 52},
    {"LUp", false, K::ButtonUp, LeftButton, 53},
    {"RClick", false, K::Click, RightButton, 54},
    {"RDown", false, K::ButtonDown, RightButton, 55},
    {"RUp", false, K::ButtonUp, RightButton, 56},
    {"Repeat", true, K::Repeat, 0, 9},
    {"End_Repeat", false, K::EndRepeat, 0, 10},
    {"Loop", false, K::Loop, 0, 57},
    {"CloseWindow", true, K::CloseWindow, 0, 5},
    {"MessageBox", true, K::MessageBox, 0, 2},
}};

constexpr std::array<std::string_view, 2> kSilentWords = {"Press_Pause", "Release_ALT"};

}  // namespace

std::span<const CommandInfo> commandTable() {
    return kCommands;
}

const CommandInfo* findCommand(std::string_view word) {
    for (const CommandInfo& info : commandTable()) {
        if (info.word == word)
            return &info;
    }
    return nullptr;
}

std::vector<std::string_view> builderCommandWords() {
    std::vector<std::string_view> words;
    for (const CommandInfo& info : commandTable()) {
        if (info.builderPosition == kNotInBuilder)
            continue;
        const auto position = static_cast<std::size_t>(info.builderPosition);
        if (words.size() <= position)
            words.resize(position + 1);
        words[position] = info.word;
    }
    return words;
}

std::span<const std::string_view> silentWords() {
    return kSilentWords;
}

}  // namespace keyreel
