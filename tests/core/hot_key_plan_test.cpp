// Which hot keys get registered, with what, and what an arriving one does.

#include "core/settings/hot_key_plan.h"

#include <gtest/gtest.h>

namespace keyreel {
namespace {

using Kind = HotKeyAction::Kind;
using Plan = std::vector<HotKeyRegistration>;
using Actions = std::vector<HotKeyAction>;

// Global atoms lie in 0xC000..0xFFFF, so as 16-bit values they are negative.
constexpr HotKeyIds kAtomIds = {-16383, -16382, -16381, -16380, -16379, -16378, -16377, -16376};

TEST(HotKeyPlan, TheWantedKeysAreRegisteredWithTheirModifiersUnderTheirIdentifiers) {
    HotKeySettings settings;
    EXPECT_TRUE(planHotKeys(settings, kAtomIds).empty());
    settings.fKeyEnabled[2] = true;
    EXPECT_EQ(planHotKeys(settings, kAtomIds), (Plan{{2, -16381, 1, 114}})) << "ALT+F3";
    settings.ctrl = true;
    EXPECT_EQ(planHotKeys(settings, kAtomIds), (Plan{{2, -16381, 3, 114}})) << "CTRL+ALT+F3";
    settings.alt = false;
    settings.beginEnabled = settings.stopEnabled = true;
    EXPECT_EQ(planHotKeys(settings, kAtomIds),
              (Plan{{2, -16381, 2, 114}, {6, -16377, 3, 82}, {7, -16376, 3, 83}}))
        << "CTRL+F3; CTRL+ALT+R and CTRL+ALT+S whatever the function keys take";

    settings = HotKeySettings{};
    settings.alt = false;
    settings.fKeyEnabled = {true, true, false, false, false, true};
    HotKeyIds ids = kAtomIds;
    ids[1] = 0;
    EXPECT_EQ(planHotKeys(settings, ids), (Plan{{0, -16383, 0, 112}, {5, -16378, 0, 117}}))
        << "bare function keys; none without an identifier";
}

TEST(HotKeyHoldings, OnlyARefusedCombinationThatKeyreelDoesNotHoldIsShownAsTaken) {
    const HotKeyRegistration altF3{2, -16381, 1, 114}, altF4{3, -16380, 1, 115},
        ctrlF3{2, -16381, 2, 114};
    HotKeyHoldings holdings;
    struct Round {
        std::vector<std::pair<HotKeyRegistration, bool>> attempts;  // registration, registered
        bool f3Taken, f4Taken;
    };
    const Round rounds[] = {
        {{{altF3, true}, {altF4, false}}, false, true},
        // Registering again is refused for Keyreel's own ALT+F3 as well.
        {{{altF3, false}, {altF4, false}}, false, true},
        // CTRL+F3 under F3's identifier: Keyreel holds only ALT+F3.
        {{{ctrlF3, false}}, true, false},
        // The other program let ALT+F4 go; F3 is no longer wanted.
        {{{altF4, true}}, false, false},
    };
    for (const Round& round : rounds) {
        SCOPED_TRACE(testing::Message() << "round " << &round - rounds + 1);
        holdings.startRegistering();
        for (const auto& [registration, registered] : round.attempts)
            holdings.registrationDone(registration, registered);
        EXPECT_EQ(holdings.takenByAnotherProgram(2), round.f3Taken);
        EXPECT_EQ(holdings.takenByAnotherProgram(3), round.f4Taken);
        EXPECT_FALSE(holdings.takenByAnotherProgram(kHotKeyCount));
    }
}

TEST(HotKeyDispatch, EachOfOurIdentifiersRunsTheActionsOfItsSlotsInOrder) {
    for (std::size_t n = 0; n < 6; ++n)
        EXPECT_EQ(hotKeyActions(kAtomIds[n], kAtomIds), (Actions{{Kind::playMacroFile, n}}));
    EXPECT_EQ(hotKeyActions(-16377, kAtomIds), (Actions{{Kind::playList}}));
    EXPECT_EQ(hotKeyActions(-16376, kAtomIds), (Actions{{Kind::stop}}));

    EXPECT_TRUE(hotKeyActions(-1, kAtomIds).empty()) << "the system's own snapshot hot key";
    EXPECT_TRUE(hotKeyActions(0xC001, kAtomIds).empty()) << "compared as registered, with sign";
    EXPECT_TRUE(hotKeyActions(0, HotKeyIds{}).empty()) << "slots without identifier never match";

    HotKeyIds ids = kAtomIds;
    ids[6] = ids[7] = ids[4];
    EXPECT_EQ(hotKeyActions(ids[4], ids),
              (Actions{{Kind::playMacroFile, 4}, {Kind::playList}, {Kind::stop}}));
}

}  // namespace
}  // namespace keyreel
