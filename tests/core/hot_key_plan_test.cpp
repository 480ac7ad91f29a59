// Which hot keys are registered, with what, and what an arriving one does.

#include "core/settings/hot_key_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "core/settings/hot_key_registry.h"

namespace keyreel {
namespace {

using Actions = std::vector<HotKeyAction>;

// Global atoms lie in 0xC000..0xFFFF, so as 16-bit values they are negative.
constexpr HotKeyIds kAtomIds = {-16383, -16382, -16381, -16380, -16379, -16378, -16377, -16376};

// Combinations other programs hold, ours, and the atoms' reference counts.
class FakeHotKeyPlatform final : public HotKeyPlatform {
  public:
    using Combination = std::pair<std::uint32_t, std::uint8_t>;  // modifiers, virtual key

    std::int16_t addAtom(std::string_view) override {
        atoms.push_back(1);
        return static_cast<std::int16_t>(-16384 + static_cast<int>(atoms.size()));
    }
    void deleteAtom(std::int16_t atom) override { --atoms.at(std::size_t(atom + 16383)); }
    bool registerHotKey(const HotKeyRegistration& hotKey) override {
        const Combination combination{hotKey.modifiers, hotKey.virtualKey};
        if (heldByOthers.contains(combination))
            return false;
        ours.emplace(hotKey.id, combination);
        return true;
    }
    void unregisterHotKey(std::int32_t id) override { ours.erase(id); }

    std::set<Combination> heldByOthers;
    std::map<std::int32_t, Combination> ours;
    std::vector<int> atoms;  // reference count by slot
};

TEST(HotKeyRegistry, EachRegistrationReplacesTheLastWithTheWantedKeysAndExitGivesAllBack) {
    FakeHotKeyPlatform system;
    system.heldByOthers = {{kModifierCtrl, 113}};  // CTRL+F2
    HotKeySettings settings;
    settings.fKeyEnabled = {false, true, true, false, false, false};
    using Held = std::map<std::int32_t, FakeHotKeyPlatform::Combination>;
    // ALT, CTRL, F1, CTRL+ALT+R and S; what is held; whether F2 is taken.
    const std::tuple<bool, bool, bool, bool, Held, bool> steps[] = {
        {1, 0, 1, 0, {{-16383, {1, 112}}, {-16382, {1, 113}}, {-16381, {1, 114}}}, 0},
        {0, 1, 0, 1, {{-16381, {2, 114}}, {-16377, {3, 82}}, {-16376, {3, 83}}}, 1},
        {1, 1, 0, 0, {{-16382, {3, 113}}, {-16381, {3, 114}}}, 0},
        {0, 0, 1, 0, {{-16383, {0, 112}}, {-16382, {0, 113}}, {-16381, {0, 114}}}, 0},
    };
    HotKeyRegistry registry(system);
    registry.addAtoms();
    registry.addAtoms();
    EXPECT_EQ(registry.hotKeyIds(), kAtomIds) << "made once";
    for (const auto& [alt, ctrl, f1, beginAndStop, held, f2Taken] : steps) {
        SCOPED_TRACE(testing::Message() << alt << ctrl << f1 << beginAndStop);
        settings.alt = alt;
        settings.ctrl = ctrl;
        settings.fKeyEnabled[0] = f1;
        settings.beginEnabled = settings.stopEnabled = beginAndStop;
        registry.registerHotKeys(settings);
        EXPECT_EQ(system.ours, held) << "every registration withdrawn first";
        EXPECT_EQ(registry.takenByAnotherProgram(1), f2Taken);
        EXPECT_FALSE(registry.takenByAnotherProgram(0) || registry.takenByAnotherProgram(2));
    }
    HotKeyIds ids = kAtomIds;
    ids[1] = 0;
    EXPECT_EQ(planHotKeys(settings, ids).size(), 2u) << "none without an identifier";
    registry.release();
    EXPECT_TRUE(system.ours.empty());
    EXPECT_EQ(system.atoms, std::vector<int>(kHotKeyCount, 0)) << "every atom deleted once";
    EXPECT_FALSE(registry.takenByAnotherProgram(1));
    EXPECT_TRUE(hotKeyActions(kAtomIds[0], registry.hotKeyIds()).empty());
}

TEST(HotKeyDispatch, EachOfOurIdentifiersRunsTheActionsOfItsSlotsInOrder) {
    using Kind = HotKeyAction::Kind;
    EXPECT_EQ(hotKeyActions(kAtomIds[5], kAtomIds), (Actions{{Kind::playMacroFile, 5}}));
    EXPECT_TRUE(hotKeyActions(0xC001, kAtomIds).empty()) << "compared as registered, with sign";
    HotKeyIds ids = kAtomIds;
    ids[6] = ids[7] = ids[4];
    EXPECT_EQ(hotKeyActions(ids[4], ids),
              (Actions{{Kind::playMacroFile, 4}, {Kind::playList}, {Kind::stop}}));
}

}  // namespace
}  // namespace keyreel
