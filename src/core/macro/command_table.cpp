#include "core/macro/command_table.h"

#include <algorithm>
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

// The player looks up every word of every line, and most words of a text
// are no command words, so the lookup is one hash and at most a few
// compares instead of one compare per command: an open-addressing table of
// indexes into kCommands, built at compile time. The hash reads the length
// and four of the characters, which tells the words apart well enough.
constexpr std::size_t kSlots = 256;  // a power of two, over four times the words
constexpr std::uint8_t kEmptySlot = 0xFF;
static_assert(kCommands.size() * 4 < kSlots);

constexpr std::size_t shortestWord() {
    std::size_t shortest = kCommands[0].word.size();
    for (const CommandInfo& info : kCommands)
        shortest = std::min(shortest, info.word.size());
    return shortest;
}

constexpr std::size_t longestWord() {
    std::size_t longest = 0;
    for (const CommandInfo& info : kCommands)
        longest = std::max(longest, info.word.size());
    return longest;
}

constexpr std::size_t kShortestWord = shortestWord();
constexpr std::size_t kLongestWord = longestWord();

// For words of kShortestWord characters and more.
constexpr std::size_t slotOf(std::string_view word) {
    const auto at = [&](std::size_t i) { return static_cast<std::size_t>(word[i]); };
    const std::size_t n = word.size();
    return (n * 131 + at(0) * 31 + at(n - 1) * 7 + at(n - 2) * 3 + at(n / 2)) & (kSlots - 1);
}

constexpr std::array<std::uint8_t, kSlots> buildSlots() {
    std::array<std::uint8_t, kSlots> slots{};
    for (std::uint8_t& slot : slots)
        slot = kEmptySlot;
    for (std::size_t i = 0; i < kCommands.size(); ++i) {
        std::size_t slot = slotOf(kCommands[i].word);
        while (slots[slot] != kEmptySlot)
            slot = (slot + 1) & (kSlots - 1);
        slots[slot] = static_cast<std::uint8_t>(i);
    }
    return slots;
}

constexpr std::array<std::uint8_t, kSlots> kSlotTable = buildSlots();

}  // namespace

std::span<const CommandInfo> commandTable() {
    return kCommands;
}

const CommandInfo* findCommand(std::string_view word) {
    if (word.size() < kShortestWord || word.size() > kLongestWord)
        return nullptr;
    for (std::size_t slot = slotOf(word); kSlotTable[slot] != kEmptySlot;
         slot = (slot + 1) & (kSlots - 1)) {
        const CommandInfo& info = kCommands[kSlotTable[slot]];
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
