// What the recorder writes for each key and for the pointer, how recorded
// chords play back, and the modifier state the keyboard hook reports key
// events with.

#include "core/recorder/key_translation.h"

#include <gtest/gtest.h>

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
        {112, "Press_F1"},   {123, "Press_F12"},  {65, "SendText >a"},  {90, "SendText >z"},
        {48, "SendText >0"}, {57, "SendText >9"}, {96, "SendText >0"},  {105, "SendText >9"},
        {13, "Press_Enter"}, {39, "Press_Right"}, {106, "SendText >*"}, {220, "SendText >\\"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(keyLine(c.key), c.line) << "key " << int(c.key);
    for (const std::uint8_t key : {145, 91, 92, 110, 108, 124, 135, 16, 17, 18, 160, 255, 0})
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

// Key transitions as the keyboard hook sees them (left and right codes),
// through its modifier state; then what a play of the lines does.
TEST(KeyTranslation, ChordsPlayBackWithTheSameModifiersHeldAroundTheSameKey) {
    constexpr std::uint8_t kLShift = 0xA0;
    constexpr std::uint8_t kRShift = 0xA1;
    constexpr std::uint8_t kLCtrl = 0xA2;
    constexpr std::uint8_t kLAlt = 0xA4;
    constexpr std::uint8_t kRAlt = 0xA5;
    constexpr std::uint8_t kF4 = 0x73;
    struct Case {
        const char* what;
        std::uint8_t heldAtStart;  // a left or right modifier code, or 0
        std::vector<std::pair<std::uint8_t, bool>> transitions;
        Lines lines;
        const char* played;
    };
    const Case cases[] = {
        {"a capital A, then b",
         0,
         {{kLShift, true}, {'A', true}, {'A', false}, {kLShift, false}, {'B', true}, {'B', false}},
         {"Press_Shift", "SendText >a", "Release_Shift", "SendText >b"},
         "+Shift a -Shift b"},
        {"Shift with / for a question mark",
         0,
         {{kLShift, true}, {key::Slash, true}, {key::Slash, false}, {kLShift, false}},
         {"Press_Shift", "SendText >/", "Release_Shift"},
         "+Shift / -Shift"},
        {"Ctrl+Shift+S",
         0,
         {{kLCtrl, true},
          {kLShift, true},
          {'S', true},
          {'S', false},
          {kLShift, false},
          {kLCtrl, false}},
         {"Press_CTRL", "Press_Shift", "SendText >s", "Release_Shift", "Release_CTRL"},
         "+Ctrl +Shift s -Shift -Ctrl"},
        {"Alt+F4",
         0,
         {{kLAlt, true}, {kF4, true}, {kF4, false}, {kLAlt, false}},
         {"ALT_Down", "Press_F4", "ALT_Up"},
         "+Alt #73 -Alt"},
        {"Alt+letter, Alt let go before the letter",
         0,
         {{kLAlt, true}, {'F', true}, {kLAlt, false}, {'F', false}},
         {"ALT_Down", "SendText >f", "ALT_Up"},
         "+Alt f -Alt"},
        {"AltGr: left Ctrl and right Alt",
         0,
         {{kLCtrl, true},
          {kRAlt, true},
          {'Q', true},
          {'Q', false},
          {kRAlt, false},
          {kLCtrl, false}},
         {"Press_CTRL", "ALT_Down", "SendText >q", "ALT_Up", "Release_CTRL"},
         "+Ctrl +Alt q -Alt -Ctrl"},
        {"each modifier pressed and let go alone, repeating while held",
         0,
         {{kLAlt, true},
          {kLAlt, true},
          {kLAlt, false},
          {kLCtrl, true},
          {kLCtrl, true},
          {kLCtrl, false},
          {kRShift, true},
          {kRShift, false}},
         {"ALT_Down", "ALT_Up", "Press_CTRL", "Release_CTRL", "Press_Shift", "Release_Shift"},
         "+Alt -Alt +Ctrl -Ctrl +Shift -Shift"},
        {"Ctrl held across several keys, Shift for one of them",
         0,
         {{kLCtrl, true},
          {'A', true},
          {'A', false},
          {kLShift, true},
          {key::End, true},
          {key::End, false},
          {kLShift, false},
          {'C', true},
          {'C', false},
          {kLCtrl, false}},
         {"Press_CTRL", "SendText >a", "Press_Shift", "Press_End", "Release_Shift", "SendText >c",
          "Release_CTRL"},
         "+Ctrl a +Shift #23 -Shift c -Ctrl"},
        {"both Shift keys, the left one let go first",
         0,
         {{kLShift, true}, {kRShift, true}, {kLShift, false}, {'X', true}, {kRShift, false}},
         {"Press_Shift", "SendText >x", "Release_Shift"},
         "+Shift x -Shift"},
        {"Ctrl held when the recording began, then let go",
         kLCtrl,
         {{kLCtrl, false}, {'V', true}},
         {"SendText >v"},
         "v"},
        {"Alt held when the recording began, used for a key",
         kLAlt,
         {{kF4, true}, {kF4, false}, {kLAlt, false}, {kF4, true}},
         {"ALT_Down", "Press_F4", "ALT_Up", "Press_F4"},
         "+Alt #73 -Alt #73"},
        {"a key without a line writes no holds either",
         0,
         {{kLCtrl, true}, {key::ScrollLock, true}},
         {"Press_CTRL"},
         "+Ctrl"},
    };
    for (const Case& c : cases) {
        ModifierState modifiers =
            ModifierState::seeded([&](std::uint8_t key) { return key == c.heldAtStart; });
        KeyTranslator translator;
        Lines lines;
        for (const auto& [key, down] : c.transitions) {
            const KeyEvent event = modifiers.note(key, down);
            for (std::string& line : event.down ? translator.keyDown(event.keyCode, event.shift)
                                                : translator.keyUp(event.keyCode, event.shift))
                lines.push_back(std::move(line));
        }
        EXPECT_EQ(lines, c.lines) << c.what;
        EXPECT_EQ(playedKeys(lines), c.played) << c.what;
    }
}

TEST(KeyTranslation, ReleaseAllLetsGoOfTheHoldsLeftAndForgettingStartsAfresh) {
    KeyTranslator translator;
    translator.keyDown(16, kShift);
    translator.keyDown(17, kShift + kCtrl);
    translator.keyDown(18, kShift + kCtrl + kAlt);
    EXPECT_EQ(translator.releaseAll(), (Lines{"ALT_Up", "Release_CTRL", "Release_Shift"}));
    EXPECT_EQ(translator.releaseAll(), Lines{});

    translator.keyDown(17, kCtrl);
    translator.forgetHolds();
    EXPECT_EQ(translator.keyUp(17, 0), Lines{}) << "no hold written since";
    EXPECT_EQ(translator.keyDown('A', kCtrl), (Lines{"Press_CTRL", "SendText >a"}));
}

TEST(KeyTranslation, PointerLinesKeepTheSign) {
    EXPECT_EQ(mouseMoveLine(-1280, -3), "MouseMove >-1280,-3");
}

ModifierState noneHeld() {
    return ModifierState::seeded([](std::uint8_t) { return false; });
}

TEST(ModifierState, EachEventCarriesTheMaskOfItsOwnMoment) {
    ModifierState state = noneHeld();
    const std::pair<std::pair<std::uint8_t, bool>, KeyEvent> steps[] = {
        {{key::LeftShift, true}, {16, kShift, true}},
        {{key::LeftShift, true}, {16, kShift, true}},  // auto-repeat
        {{65, true}, {65, kShift, true}},
        {{65, false}, {65, kShift, false}},
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
        {{key::Menu, false}, {18, 0, false}},
    };
    for (const auto& [input, reported] : steps)
        EXPECT_EQ(state.note(input.first, input.second), reported) << int(input.first);
}

TEST(ModifierState, StartsFromTheKeysHeldWhenWatchingBegins) {
    ModifierState state = ModifierState::seeded([](std::uint8_t key) { return key == 0xA1; });
    EXPECT_EQ(state.mask(), kShift);
    EXPECT_EQ(state.note(65, true), (KeyEvent{65, kShift, true}));
    EXPECT_EQ(state.note(0xA1, false), (KeyEvent{16, 0, false}));
    EXPECT_EQ(ModifierState::seeded([](std::uint8_t key) { return key >= 0xA2; }).mask(),
              kCtrl + kAlt);
}

}  // namespace
}  // namespace keyreel
