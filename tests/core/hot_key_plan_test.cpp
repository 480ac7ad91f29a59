// Which hot keys get registered, with what, how each registration replaces
// the last, and what an arriving one does.

#include "core/settings/hot_key_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "core/settings/hot_key_registry.h"

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

// The system's side: the combinations other programs hold, the atoms with
// their reference counts, and every call in order.
class FakeHotKeyPlatform final : public HotKeyPlatform {
  public:
    std::int16_t addAtom(std::string_view name) override {
        const auto slot = static_cast<std::int16_t>(atoms.size());
        log.push_back("add " + std::string(name));
        atoms.push_back(1);
        return static_cast<std::int16_t>(-16383 + slot);
    }
    void deleteAtom(std::int16_t atom) override {
        log.push_back("delete " + std::to_string(atom));
        --atoms.at(static_cast<std::size_t>(atom + 16383));
    }
    bool registerHotKey(const HotKeyRegistration& hotKey) override {
        const Combination combination{hotKey.modifiers, hotKey.virtualKey};
        log.push_back("register " + std::to_string(hotKey.id));
        const bool held =
            heldByOthers.contains(combination) ||
            std::ranges::any_of(ours, [&](const auto& registered) {
                return registered.first == hotKey.id || registered.second == combination;
            });
        if (held)
            return false;
        ours.emplace(hotKey.id, combination);
        return true;
    }
    void unregisterHotKey(std::int32_t id) override {
        log.push_back("unregister " + std::to_string(id));
        ours.erase(id);
    }

    using Combination = std::pair<std::uint32_t, std::uint8_t>;  // modifiers, virtual key
    std::set<Combination> heldByOthers;
    std::map<std::int32_t, Combination> ours;
    std::vector<int> atoms;  // reference count by slot
    std::vector<std::string> log;
};

TEST(HotKeyRegistry, EachRegistrationReplacesTheLastAndExitGivesEverythingBack) {
    FakeHotKeyPlatform system;
    system.heldByOthers = {{kModifierCtrl, 113}};  // CTRL+F2
    HotKeySettings settings;
    settings.fKeyEnabled = {true, true, true, false, false, false};
    using Held = std::map<std::int32_t, FakeHotKeyPlatform::Combination>;
    const Held altF1ToF3 = {{-16383, {1, 112}}, {-16382, {1, 113}}, {-16381, {1, 114}}};
    struct Step {
        const char* what;
        bool ctrlInsteadOfAlt, f1, stop;
        Held held;
        std::array<bool, 3> taken;  // F1 .. F3
    };
    const Held ctrlF3AndStop = {{-16381, {2, 114}}, {-16376, {3, 83}}};
    const Held altF2F3AndStop = {{-16382, {1, 113}}, {-16381, {1, 114}}, {-16376, {3, 83}}};
    const Step steps[] = {
        {"start-up", false, true, false, altF1ToF3, {}},
        {"OK: F1 off, CTRL for ALT, CTRL+ALT+S on", true, false, true, ctrlF3AndStop, {0, 1, 0}},
        {"OK: ALT again", false, false, true, altF2F3AndStop, {}},
    };
    HotKeyRegistry registry(system);
    registry.addAtoms();
    registry.addAtoms();
    EXPECT_EQ(registry.hotKeyIds(), kAtomIds) << "made once";
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        settings.alt = !step.ctrlInsteadOfAlt;
        settings.ctrl = step.ctrlInsteadOfAlt;
        settings.fKeyEnabled[0] = step.f1;
        settings.stopEnabled = step.stop;
        system.log.clear();
        registry.registerHotKeys(settings);
        EXPECT_EQ(system.ours, step.held);
        for (std::size_t slot = 0; slot < step.taken.size(); ++slot)
            EXPECT_EQ(registry.takenByAnotherProgram(slot), step.taken[slot]) << "F" << slot + 1;
        const auto firstRegister = std::ranges::find_if(
            system.log, [](const std::string& call) { return call.starts_with("register"); });
        EXPECT_TRUE(std::none_of(firstRegister, system.log.end(), [](const std::string& call) {
            return call.starts_with("unregister");
        })) << "every registration withdrawn first";
    }

    registry.release();
    EXPECT_TRUE(system.ours.empty());
    EXPECT_EQ(system.atoms, std::vector<int>(kHotKeyCount, 0)) << "every atom deleted once";
    EXPECT_FALSE(registry.takenByAnotherProgram(1));
    EXPECT_TRUE(hotKeyActions(kAtomIds[0], registry.hotKeyIds()).empty());
}

TEST(HotKeyDispatch, EachOfOurIdentifiersRunsTheActionsOfItsSlotsInOrder) {
    EXPECT_EQ(hotKeyActions(kAtomIds[5], kAtomIds), (Actions{{Kind::playMacroFile, 5}}));

    EXPECT_TRUE(hotKeyActions(0xC001, kAtomIds).empty()) << "compared as registered, with sign";

    HotKeyIds ids = kAtomIds;
    ids[6] = ids[7] = ids[4];
    EXPECT_EQ(hotKeyActions(ids[4], ids),
              (Actions{{Kind::playMacroFile, 4}, {Kind::playList}, {Kind::stop}}));
}

}  // namespace
}  // namespace keyreel
