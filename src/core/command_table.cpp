#include "command_table.h"

#include <array>

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
    {"Press_Space", false, K::TapKey, 0x20},
    {"Press_BackSpace", false, K::TapKey, 0x08},
    {"Press_Tab", false, K::TapKey, 0x09},
    {"Press_Enter", false, K::TapKey, 0x0D},
    {"Press_ESC", false, K::TapKey, 0x1B},
    {"Press_F1", false, K::TapKey, 0x70},
    {"Press_F2", false, K::TapKey, 0x71},
    {"Press_F3", false, K::TapKey, 0x72},
    {"Press_F4", false, K::TapKey, 0x73},
    {"Press_F5", false, K::TapKey, 0x74},
    {"Press_F6", false, K::TapKey, 0x75},
    {"Press_F7", false, K::TapKey, 0x76},
    {"Press_F8", false, K::TapKey, 0x77},
    {"Press_F9", false, K::TapKey, 0x78},
    {"Press_F10", false, K::TapKey, 0x79},
    {"Press_F11", false, K::TapKey, 0x7A},
    {"Press_F12", false, K::TapKey, 0x7B},
    {"Press_Home", false, K::TapKey, 0x24},
    {"Press_End", false, K::TapKey, 0x23},
    {"Press_Up", false, K::TapKey, 0x26},
    {"Press_Down", false, K::TapKey, 0x28},
    {"Press_Left", false, K::TapKey, 0x25},
    {"Press_Right", false, K::TapKey, 0x27},
    {"Press_PageUp", false, K::TapKey, 0x21},
    {"Press_PageDown", false, K::TapKey, 0x22},
    {"Press_Ins", false, K::TapKey, 0x2D},
    {"Press_Del", false, K::TapKey, 0x2E},
    {"Press_Shift", false, K::HoldKey, 0x10},
    {"Release_Shift", false, K::ReleaseKey, 0x10},
    {"Press_CTRL", false, K::HoldKey, 0x11},
    {"Release_CTRL", false, K::ReleaseKey, 0x11},
    {"Press_ALT", false, K::TapAlt, 0},
    {"ALT_Down", false, K::HoldKey, 0x12},
    {"ALT_Up", false, K::ReleaseKey, 0x12},
    {"Press_Caps", false, K::TapKey, 0x14},
    {"Press_NumLock", false, K::TapKey, 0x90},
    {"Press_ScrollLock", false, K::TapKey, 0x91},
    {"Press_PrintScreen", false, K::TapKey, 0x2C},
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
