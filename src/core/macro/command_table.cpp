#include "core/macro/command_table.h"

#include <array>

#include "core/base/key_codes.h"

namespace keyreel {

namespace {

using K = CommandKind;

constexpr std::array<CommandInfo, 59> kCommands = {{
    {"RunProgram", true, K::RunProgram, 0},
    {"ExecuteFile", true, K::ExecuteFile, 0},
    {"Message", false, K::Message, 0},
    {"WaitForWindow", true, K::WaitForWindow, 0},
    {"Wait", true, K::Wait, 0},
    {"SetFocus", true, K::SetFocus, 0},
    {"SendText", true, K::SendText, 0},
    {"Press_Space", false, K::TapKey, key::Space},
    {"Press_BackSpace", false, K::TapKey, key::Back},
    {"Press_Tab", false, K::TapKey, key::Tab},
    {"Press_Enter", false, K::TapKey, key::Return},
    {"Press_ESC", false, K::TapKey, key::Escape},
    {"Press_F1", false, K::TapKey, key::functionKey(1)},
    {"Press_F2", false, K::TapKey, key::functionKey(2)},
    {"Press_F3", false, K::TapKey, key::functionKey(3)},
    {"Press_F4", false, K::TapKey, key::functionKey(4)},
    {"Press_F5", false, K::TapKey, key::functionKey(5)},
    {"Press_F6", false, K::TapKey, key::functionKey(6)},
    {"Press_F7", false, K::TapKey, key::functionKey(7)},
    {"Press_F8", false, K::TapKey, key::functionKey(8)},
    {"Press_F9", false, K::TapKey, key::functionKey(9)},
    {"Press_F10", false, K::TapKey, key::functionKey(10)},
    {"Press_F11", false, K::TapKey, key::functionKey(11)},
    {"Press_F12", false, K::TapKey, key::functionKey(12)},
    {"Press_Home", false, K::TapKey, key::Home},
    {"Press_End", false, K::TapKey, key::End},
    {"Press_Up", false, K::TapKey, key::Up},
    {"Press_Down", false, K::TapKey, key::Down},
    {"Press_Left", false, K::TapKey, key::Left},
    {"Press_Right", false, K::TapKey, key::Right},
    {"Press_PageUp", false, K::TapKey, key::Prior},
    {"Press_PageDown", false, K::TapKey, key::Next},
    {"Press_Ins", false, K::TapKey, key::Insert},
    {"Press_Del", false, K::TapKey, key::Delete},
    {"Press_Shift", false, K::HoldKey, key::Shift},
    {"Release_Shift", false, K::ReleaseKey, key::Shift},
    {"Press_CTRL", false, K::HoldKey, key::Control},
    {"Release_CTRL", false, K::ReleaseKey, key::Control},
    {"Press_ALT", false, K::TapAlt, 0},
    {"ALT_Down", false, K::HoldKey, key::Menu},
    {"ALT_Up", false, K::ReleaseKey, key::Menu},
    {"Press_Caps", false, K::TapKey, key::Capital},
    {"Press_NumLock", false, K::TapKey, key::NumLock},
    {"Press_ScrollLock", false, K::TapKey, key::ScrollLock},
    {"Press_PrintScreen", false, K::TapKey, key::Snapshot},
    {"MouseMove", true, K::MouseMove, 0},
    {"LDblClick", false, K::DoubleClick, LeftButton},
    {"RDblClick", false, K::DoubleClick, RightButton},
    {"LClick", false, K::Click, LeftButton},
    {"LDown", false, K::ButtonDown, LeftButton},
    {"LUp", false, K::ButtonUp, LeftButton},
    {"RClick", false, K::Click, RightButton},
    {"RDown", false, K::ButtonDown, RightButton},
    {"RUp", false, K::ButtonUp, RightButton},
    {"Repeat", true, K::Repeat, 0},
    {"End_Repeat", false, K::EndRepeat, 0},
    {"Loop", false, K::Loop, 0},
    {"CloseWindow", true, K::CloseWindow, 0},
    {"MessageBox", true, K::MessageBox, 0},
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

std::span<const std::string_view> silentWords() {
    return kSilentWords;
}

}  // namespace keyreel
