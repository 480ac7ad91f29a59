// Hot-key identifiers and registrations against the real system: injected
// key presses must arrive at the window as WM_HOTKEY with our identifiers.

#include "win32/hot_keys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "test_window.h"
#include "win32/send_input.h"
#include "win32/wide_text.h"

namespace keyreel::win32 {
namespace {

// Presses (true) and releases (false) keys through the system's input queue.
void sendKeys(std::initializer_list<std::pair<WORD, bool>> keys) {
    std::vector<INPUT> inputs;
    for (const auto& [virtualKey, down] : keys)
        inputs.push_back(keyInput(virtualKey, !down));
    sendInputs(inputs);
}

// The identifiers are the global atoms of the slots' names, there until
// released.
TEST(HotKeys, InjectedCombinationsArriveOnceWithTheirIdentifiersUntilReleased) {
    const TestWindow window("Keyreel hot keys", TestWindow::Content::Empty, false);
    WindowHotKeys platform([&] { return window.handle(); });
    HotKeySettings settings;
    settings.alt = true;
    settings.fKeyEnabled[2] = true;  // ALT+F3
    settings.beginEnabled = true;    // CTRL+ALT+R
    HotKeyIds ids{};
    const auto arrival = [&](std::size_t slot) {
        return "hotkey " + std::to_string(widenHotKeyId(ids[slot]));
    };
    {
        HotKeyRegistry registry(platform);
        registry.addAtoms();
        ids = registry.hotKeyIds();
        for (std::size_t slot = 0; slot < ids.size(); ++slot) {
            EXPECT_EQ(static_cast<ATOM>(ids[slot]),
                      GlobalFindAtomW(toWide(kHotKeySlots[slot].atomName).c_str()));
        }
        registry.registerHotKeys(settings);
        registry.registerHotKeys(settings);  // as when the preferences are opened again
        // The repeated R is what holding the keys sends.
        sendKeys({{VK_CONTROL, true},
                  {VK_MENU, true},
                  {'R', true},
                  {'R', true},
                  {'R', false},
                  {VK_MENU, false},
                  {VK_CONTROL, false}});
        sendKeys({{VK_MENU, true}, {VK_F3, true}, {VK_F3, false}, {VK_MENU, false}});
        ASSERT_TRUE(probe::waitFor(
            [&] { return !window.events().empty() && window.events().back() == arrival(2); }));
    }
    std::vector<std::string> arrived = window.events();
    if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr) {
        // Wine ignores MOD_NOREPEAT and reports every repeat.
        arrived.erase(std::unique(arrived.begin(), arrived.end()), arrived.end());
    }
    EXPECT_EQ(arrived, (std::vector<std::string>{arrival(kBeginHotKey), arrival(2)}));

    for (const HotKeySlot& slot : kHotKeySlots)
        EXPECT_EQ(GlobalFindAtomW(toWide(slot.atomName).c_str()), 0) << slot.atomName;
    // Nobody holds a combination once its registrations are gone.
    for (const HotKeyRegistration& planned : planHotKeys(settings, ids)) {
        EXPECT_TRUE(RegisterHotKey(window.handle(), 1, planned.modifiers, planned.virtualKey))
            << planned.slot;
        UnregisterHotKey(window.handle(), 1);
    }
}

}  // namespace
}  // namespace keyreel::win32
