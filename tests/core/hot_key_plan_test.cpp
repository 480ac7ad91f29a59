// Which hot keys get registered, with what, and what an arriving one does.

#include "hot_key_plan.h"

#include <gtest/gtest.h>

namespace keyreel {
namespace {

using Kind = HotKeyAction::Kind;

// Global atoms lie in 0xC000..0xFFFF, so as 16-bit values they are negative.
constexpr HotKeyIds kAtomIds = {-16383, -16382, -16381, -16380, -16379, -16378, -16377, -16376};

HotKeySettings withFunctionKeys(bool alt, bool ctrl, std::initializer_list<std::size_t> fKeys) {
    HotKeySettings settings;
    settings.alt = alt;
    settings.ctrl = ctrl;
    for (const std::size_t n : fKeys)
        settings.fKeyEnabled[n] = true;
    return settings;
}

TEST(HotKeyPlan, FunctionKeyModifierCombinesAltAndCtrl) {
    EXPECT_EQ(fKeyModifier(withFunctionKeys(true, false, {})), 1u);
    EXPECT_EQ(fKeyModifier(withFunctionKeys(false, true, {})), 2u);
    EXPECT_EQ(fKeyModifier(withFunctionKeys(true, true, {})), 3u);
    EXPECT_EQ(fKeyModifier(withFunctionKeys(false, false, {})), 0u);
}

TEST(HotKeyPlan, NothingIsRegisteredByDefault) {
    EXPECT_TRUE(planHotKeys(HotKeySettings{}, kAtomIds).empty());
}

TEST(HotKeyPlan, OnlyTheWantedFunctionKeysAreRegisteredWithTheirModifier) {
    EXPECT_EQ(planHotKeys(withFunctionKeys(true, false, {2}), kAtomIds),
              (std::vector<HotKeyRegistration>{{2, -16381, 1, 114}}))
        << "ALT+F3 under the identifier of MyHotKeyF3";
    EXPECT_EQ(planHotKeys(withFunctionKeys(false, false, {0, 5}), kAtomIds),
              (std::vector<HotKeyRegistration>{{0, -16383, 0, 112}, {5, -16378, 0, 117}}))
        << "bare function keys";
}

TEST(HotKeyPlan, BeginAndStopTakeCtrlAltWhateverTheFunctionKeyModifier) {
    HotKeySettings settings = withFunctionKeys(false, true, {1});
    settings.beginEnabled = true;
    settings.stopEnabled = true;
    EXPECT_EQ(planHotKeys(settings, kAtomIds), (std::vector<HotKeyRegistration>{
                                                   {1, -16382, 2, 113},
                                                   {6, -16377, 3, 82},
                                                   {7, -16376, 3, 83},
                                               }));
    settings.fKeyEnabled[1] = false;
    settings.beginEnabled = false;
    EXPECT_EQ(planHotKeys(settings, kAtomIds),
              (std::vector<HotKeyRegistration>{{7, -16376, 3, 83}}));
}

TEST(HotKeyPlan, AHotKeyWithoutIdentifierIsNotRegistered) {
    HotKeySettings settings = withFunctionKeys(true, false, {0, 1});
    HotKeyIds ids = kAtomIds;
    ids[0] = 0;
    EXPECT_EQ(planHotKeys(settings, ids), (std::vector<HotKeyRegistration>{{1, -16382, 1, 113}}));
}

TEST(HotKeyDispatch, EachIdentifierRunsItsAction) {
    for (std::size_t n = 0; n < 6; ++n) {
        EXPECT_EQ(hotKeyActions(kAtomIds[n], kAtomIds),
                  (std::vector<HotKeyAction>{{Kind::playMacroFile, n}}));
    }
    EXPECT_EQ(hotKeyActions(-16377, kAtomIds), (std::vector<HotKeyAction>{{Kind::playList}}));
    EXPECT_EQ(hotKeyActions(-16376, kAtomIds), (std::vector<HotKeyAction>{{Kind::stop}}));
}

TEST(HotKeyDispatch, UnknownIdentifiersDoNothing) {
    EXPECT_TRUE(hotKeyActions(1, kAtomIds).empty());
    EXPECT_TRUE(hotKeyActions(-1, kAtomIds).empty()) << "the system's own snapshot hot key";
    EXPECT_TRUE(hotKeyActions(0xC001, kAtomIds).empty())
        << "identifiers are compared widened with their sign, as they were registered";
    HotKeyIds withoutAtoms{};
    EXPECT_TRUE(hotKeyActions(0, withoutAtoms).empty()) << "slots without identifier never match";
}

TEST(HotKeyDispatch, EveryMatchRunsInTableOrder) {
    HotKeyIds ids = kAtomIds;
    ids[7] = ids[4];
    ids[6] = ids[4];
    EXPECT_EQ(hotKeyActions(ids[4], ids), (std::vector<HotKeyAction>{
                                              {Kind::playMacroFile, 4},
                                              {Kind::playList},
                                              {Kind::stop},
                                          }));
}

}  // namespace
}  // namespace keyreel
