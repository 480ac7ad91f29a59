// What the recorder writes for each key and for the pointer, how recorded
// chords play back, and the modifier state the keyboard hook reports key
// events with.

#include "core/recorder/key_translation.h"

#include <gtest/gtest.h>

#include <ranges>

#include "core/base/key_codes.h"
#include "core/macro/player.h"
#include "core/macro/simulated_desktop.h"
#include "core/recorder/key_event.h"

namespace keyreel {
namespace {

using Lines = std::vector<std::string>;

constexpr int kShift = shift_mask::Shift;
constexpr int kCtrl = shift_mask::Ctrl;
constexpr int kAlt = shift_mask::Alt;

TEST(KeyTranslation, EveryKeyWithALineWritesItWhateverTheModifiers) {
    struct Case {
        std::uint8_t key;
        const char* line;
    };
    // The ends of each range and a few named keys; the rest of the table is data.
    const Case cases[] = {
        {112, "Press_F1"},   {123, "Press_F12"},   {65, "SendText >a"}, {90, "SendText >z"},
        {96, "SendText >0"}, {105, "SendText >9"}, {13, "Press_Enter"}, {220, "SendText >\\"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(keyLine(c.key), c.line) << "key " << int(c.key);
    for (const std::uint8_t key : {145, 91, 110, 124, 16, 160, 255, 0})
        EXPECT_EQ(keyLine(key), std::nullopt) << int(key);
}

// The keys a play presses and types, in order: "+Ctrl" and "-Ctrl" for a
// modifier going down and up, a typed character as itself, "#" and the code
// for another key going down.
std::string playedKeys(const Lines& lines) {
    MacroList list(lines.begin(), lines.end());
    RunState state;
    state.macroLineCount = static_cast<std::int32_t>(list.size());
    SimulatedDesktop desktop;
    Player(list, state, desktop).runMacro();
    const std::pair<std::string_view, const char*> modifiers[] = {
        {"0x10", "Shift"}, {"0x11", "Ctrl"}, {"0x12", "Alt"}};
    std::string played;
    for (const std::string_view event : desktop.events()) {
        const bool down = event.starts_with("key down ");
        std::string text;
        if (event.starts_with("type \""))
            text = event.substr(6, event.size() - 7);
        else if (down || event.starts_with("key up ")) {
            const std::string_view code = event.substr(event.rfind(' ') + 1);
            text = down ? "#" + std::string(code.substr(2)) : "";
            for (const auto& [modifierCode, name] : modifiers) {
                if (code == modifierCode)
                    text = (down ? "+" : "-") + std::string(name);
            }
        }
        if (!text.empty())
            played += (played.empty() ? "" : " ") + text;
    }
    return played;
}

// A key by name as the keyboard hook sees it (left and right codes apart): a
// letter, or one of the names below; "" for none.
std::uint8_t hookKey(std::string_view name) {
    const std::pair<std::string_view, std::uint8_t> named[] = {
        {"", 0},           {"LShift", 0xA0},
        {"RShift", 0xA1},  {"LCtrl", 0xA2},
        {"LAlt", 0xA4},    {"RAlt", 0xA5},
        {"F4", 0x73},      {"End", key::End},
        {"/", key::Slash}, {"Scroll", key::ScrollLock}};
    for (const auto& [text, code] : named) {
        if (name == text)
            return code;
    }
    return static_cast<std::uint8_t>(name[0]);
}

// Key transitions ("+Name" down, "-Name" up, by spaces) through the hook's
// modifier state and the translator; then what a play of the lines does.
TEST(KeyTranslation, ChordsPlayBackWithTheSameModifiersHeldAroundTheSameKey) {
    struct Case {
        const char* heldAtStart;
        const char* transitions;
        Lines lines;
        const char* played;
    };
    const Case cases[] = {
        {"",
         "+LShift +A -A -LShift +B -B",
         {"Press_Shift", "SendText >a", "Release_Shift", "SendText >b"},
         "+Shift a -Shift b"},
        {"",
         "+LCtrl +LShift +S -S -LShift -LCtrl",
         {"Press_CTRL", "Press_Shift", "SendText >s", "Release_Shift", "Release_CTRL"},
         "+Ctrl +Shift s -Shift -Ctrl"},
        {"", "+LAlt +F4 -F4 -LAlt", {"ALT_Down", "Press_F4", "ALT_Up"}, "+Alt #73 -Alt"},
        // Alt let go before the letter.
        {"", "+LAlt +F -LAlt -F", {"ALT_Down", "SendText >f", "ALT_Up"}, "+Alt f -Alt"},
        // AltGr: left Ctrl and right Alt.
        {"",
         "+LCtrl +RAlt +Q -Q -RAlt -LCtrl",
         {"Press_CTRL", "ALT_Down", "SendText >q", "ALT_Up", "Release_CTRL"},
         "+Ctrl +Alt q -Alt -Ctrl"},
        // Ctrl held across several keys, Shift for one of them.
        {"",
         "+LCtrl +A -A +LShift +End -End -LShift +C -C -LCtrl",
         {"Press_CTRL", "SendText >a", "Press_Shift", "Press_End", "Release_Shift", "SendText >c",
          "Release_CTRL"},
         "+Ctrl a +Shift #23 -Shift c -Ctrl"},
        // Both Shift keys, the left one let go first.
        {"",
         "+LShift +RShift -LShift +X -RShift",
         {"Press_Shift", "SendText >x", "Release_Shift"},
         "+Shift x -Shift"},
        // Held when the recording began: let go, or used for a key.
        {"LCtrl", "-LCtrl +V", {"SendText >v"}, "v"},
        {"LAlt",
         "+F4 -F4 -LAlt +F4",
         {"ALT_Down", "Press_F4", "ALT_Up", "Press_F4"},
         "+Alt #73 -Alt #73"},
        // A key without a line writes no holds either.
        {"", "+LCtrl +Scroll", {"Press_CTRL"}, "+Ctrl"},
    };
    for (const Case& c : cases) {
        ModifierState modifiers =
            ModifierState::seeded([&](std::uint8_t key) { return key == hookKey(c.heldAtStart); });
        KeyTranslator translator;
        Lines lines;
        for (const auto& step : std::views::split(std::string_view(c.transitions), ' ')) {
            const std::string_view token(step.begin(), step.end());
            const KeyEvent event = modifiers.note(hookKey(token.substr(1)), token[0] == '+');
            for (std::string& line : event.down ? translator.keyDown(event.keyCode, event.shift)
                                                : translator.keyUp(event.keyCode, event.shift))
                lines.push_back(std::move(line));
        }
        EXPECT_EQ(lines, c.lines) << c.transitions;
        EXPECT_EQ(playedKeys(lines), c.played) << c.transitions;
    }
}

ModifierState noneHeld() {
    return ModifierState::seeded([](std::uint8_t) { return false; });
}

TEST(ModifierState, EachEventCarriesTheMaskOfItsOwnMoment) {
    ModifierState state = noneHeld();
    const std::pair<std::pair<std::uint8_t, bool>, KeyEvent> steps[] = {
        {{key::LeftShift, true}, {16, kShift, true}},
        {{65, true}, {65, kShift, true}},
        {{key::LeftShift, false}, {16, 0, false}},
        {{0xA3, true}, {17, kCtrl, true}},           // right Ctrl
        {{0xA4, true}, {18, kCtrl + kAlt, true}},    // left Alt
        {{0xA5, true}, {18, kCtrl + kAlt, true}},    // right Alt as well
        {{0xA4, false}, {18, kCtrl + kAlt, false}},  // the right one is still down
        {{0xA5, false}, {18, kCtrl, false}},
        {{0xA3, false}, {17, 0, false}},
        // Generic codes from other programs count as the left key.
        {{key::Control, true}, {17, kCtrl, true}},
        {{key::Menu, true}, {18, kCtrl + kAlt, true}},
        {{0xA2, false}, {17, kAlt, false}},
    };
    for (const auto& [input, reported] : steps)
        EXPECT_EQ(state.note(input.first, input.second), reported) << int(input.first);
}

}  // namespace
}  // namespace keyreel
