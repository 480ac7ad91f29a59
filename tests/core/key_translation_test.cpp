// What the recorder writes for each key and for the pointer, and the
// modifier state the keyboard hook reports key events with.

#include "core/recorder/key_translation.h"

#include <gtest/gtest.h>

#include "core/base/key_codes.h"
#include "core/recorder/key_event.h"

namespace keyreel {
namespace {

using Lines = std::vector<std::string>;

constexpr int kShift = shift_mask::Shift;
constexpr int kCtrl = shift_mask::Ctrl;
constexpr int kAlt = shift_mask::Alt;

TEST(KeyTranslation, EveryKeyDownRowWritesItsLine) {
    struct Case {
        std::uint8_t key;
        int shift;
        const char* line;
    };
    const Case cases[] = {
        {112, 0, "Press_F1"},        {117, kAlt, "Press_F6"},      {123, 0, "Press_F12"},
        {65, 0, "SendText >a"},      {65, kShift, "SendText >a"},  {90, 7, "SendText >z"},
        {48, 0, "SendText >0"},      {57, kShift, "SendText >9"},  {96, 0, "SendText >0"},
        {105, 0, "SendText >9"},     {44, 0, "Press_PrintScreen"}, {18, kAlt, "Press_ALT"},
        {8, 0, "Press_BackSpace"},   {9, kShift, "Press_Tab"},     {13, kCtrl, "Press_Enter"},
        {16, kShift, "Press_Shift"}, {17, kCtrl, "Press_CTRL"},    {19, 0, "Press_Pause"},
        {20, 0, "Press_Caps"},       {27, 0, "Press_ESC"},         {32, 0, "Press_Space"},
        {33, 0, "Press_PageUp"},     {34, 0, "Press_PageDown"},    {35, 0, "Press_End"},
        {36, 0, "Press_Home"},       {37, 0, "Press_Left"},        {38, 0, "Press_Up"},
        {40, 0, "Press_Down"},       {39, 0, "Press_Right"},       {45, 0, "Press_Ins"},
        {46, 0, "Press_Del"},        {144, 0, "Press_NumLock"},    {106, 0, "SendText >*"},
        {107, 0, "SendText >+"},     {109, 0, "SendText >-"},      {111, 0, "SendText >/"},
        {192, 0, "SendText >`"},     {191, 0, "SendText >/"},      {190, 0, "SendText >."},
        {188, 0, "SendText >,"},     {222, 0, "SendText >'"},      {186, 0, "SendText >;"},
        {220, 0, "SendText >\\"},    {221, 0, "SendText >]"},      {219, 0, "SendText >["},
        {187, 0, "SendText >="},     {189, 0, "SendText >-"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(keyDownLines(c.key, c.shift), Lines{c.line})
            << "key " << int(c.key) << " mask " << c.shift;
    }
}

TEST(KeyTranslation, ShiftedPunctuationWritesOnlyTheUnshiftedCharacter) {
    // With Shift held on playback, the unshifted character types the shifted
    // one; writing that as well would type it twice.
    const std::pair<std::uint8_t, const char*> keys[] = {{191, "SendText >/"},
                                                         {188, "SendText >,"},
                                                         {190, "SendText >."},
                                                         {222, "SendText >'"},
                                                         {186, "SendText >;"}};
    for (const auto& [key, line] : keys) {
        for (const int shift : {kShift, kShift + kCtrl, 0})
            EXPECT_EQ(keyDownLines(key, shift), Lines{line}) << int(key) << " mask " << shift;
    }
}

TEST(KeyTranslation, ModifiersAreWrittenOnlyWhenHeldAlone) {
    EXPECT_EQ(keyDownLines(16, kShift + kCtrl), Lines{});
    EXPECT_EQ(keyDownLines(17, kCtrl + kAlt), Lines{});
    EXPECT_EQ(keyDownLines(18, kCtrl + kAlt), Lines{}) << "Alt pressed while Ctrl is held";
    EXPECT_EQ(keyDownLines(18, 0), Lines{});
}

TEST(KeyTranslation, KeysOutsideTheTableWriteNothing) {
    for (const std::uint8_t key : {145, 91, 92, 110, 108, 124, 135, 160, 255, 0})
        EXPECT_EQ(keyDownLines(key, 0), Lines{}) << int(key);
}

TEST(KeyTranslation, OnlyModifiersReleasedWithNoneLeftHeldWriteAReleaseLine) {
    EXPECT_EQ(keyUpLine(16, 0), "Release_Shift");
    EXPECT_EQ(keyUpLine(17, 0), "Release_CTRL");
    EXPECT_EQ(keyUpLine(18, 0), "Release_ALT");
    EXPECT_EQ(keyUpLine(16, kCtrl), std::nullopt);
    EXPECT_EQ(keyUpLine(18, kShift), std::nullopt);
    for (const std::uint8_t key : {65, 112, 13, 160, 191})
        EXPECT_EQ(keyUpLine(key, 0), std::nullopt) << int(key);
}

TEST(KeyTranslation, PointerLines) {
    EXPECT_EQ(mouseMoveLine(0, 0), "MouseMove >0,0");
    EXPECT_EQ(mouseMoveLine(1919, 1079), "MouseMove >1919,1079");
    EXPECT_EQ(mouseMoveLine(-1280, -3), "MouseMove >-1280,-3");
    EXPECT_STREQ(kButtonDownLine, "LDown");
    EXPECT_STREQ(kButtonUpLine, "LUp");
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
    };
    for (const auto& [input, reported] : steps)
        EXPECT_EQ(state.note(input.first, input.second), reported) << int(input.first);
}

TEST(ModifierState, GenericCodesFromOtherProgramsCountAsTheLeftKey) {
    ModifierState state = noneHeld();
    EXPECT_EQ(state.note(key::Control, true), (KeyEvent{17, kCtrl, true}));
    EXPECT_EQ(state.note(key::Menu, true), (KeyEvent{18, kCtrl + kAlt, true}));
    EXPECT_EQ(state.note(0xA2, false), (KeyEvent{17, kAlt, false}));  // left Ctrl up
    EXPECT_EQ(state.note(key::Menu, false), (KeyEvent{18, 0, false}));
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
