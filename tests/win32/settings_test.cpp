// The registry store and the hot keys against the real system.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "test_window.h"
#include "win32/hot_keys.h"
#include "win32/registry_settings_store.h"
#include "win32/send_input.h"
#include "win32/wide_text.h"

namespace keyreel::win32 {
namespace {

TEST(RegistryStore, ValuesRoundTripExactlyUnderNamesInAnyCaseAndForeignOnesReadAsAbsent) {
    constexpr const char* kSection = "settingsStoreTest";
    const std::wstring sectionPath = std::wstring(kSettingsKey) + L"\\settingsStoreTest";
    RegDeleteTreeW(HKEY_CURRENT_USER, sectionPath.c_str());
    RegistrySettingsStore store;
    EXPECT_EQ(store.readSetting(kSection, "run"), "") << "no section";
    // Written under one name, read under another case of it.
    const std::tuple<std::string, std::string, std::string> values[] = {
        {"run", "Run", "0"},
        {"Schlüssel", "SCHLÜSSEL", "  C:\\Maçros\\Grüße €\\你好 Ω.kyr\t "},
        {"long", "LONG", std::string(5000, 'x')},
        {"RUN", "run", "1"},
        {"Long", "long", ""},
    };
    for (const auto& [written, read, value] : values) {
        EXPECT_TRUE(store.writeSetting(kSection, written, value)) << written;
        EXPECT_EQ(store.readSetting("SETTINGSSTORETEST", read), value) << written;
    }
    wchar_t stored[8] = {};
    DWORD bytes = sizeof(stored);
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, sectionPath.c_str(), L"rUn", RRF_RT_REG_SZ, nullptr,
                           stored, &bytes),
              ERROR_SUCCESS);
    EXPECT_STREQ(stored, L"1") << "one value, replaced";

    EXPECT_EQ(store.readSetting(kSection, "delay"), "") << "no value";
    const wchar_t expandable[] = L"%TEMP%";  // a string to expand is no plain string
    RegSetKeyValueW(HKEY_CURRENT_USER, sectionPath.c_str(), L"expand", REG_EXPAND_SZ, expandable,
                    sizeof(expandable));
    EXPECT_EQ(store.readSetting(kSection, "expand"), "");
    RegDeleteTreeW(HKEY_CURRENT_USER, sectionPath.c_str());
}

// Holds the keys in order, the last twice as holding it repeats it, and lets go in reverse.
void chord(const std::vector<WORD>& keys) {
    std::vector<INPUT> inputs;
    for (const WORD key : keys)
        inputs.push_back(keyInput(key, false));
    inputs.push_back(keyInput(keys.back(), false));
    for (auto key = keys.rbegin(); key != keys.rend(); ++key)
        inputs.push_back(keyInput(*key, true));
    sendInputs(inputs);
}

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
        registry.registerHotKeys(settings);
        registry.registerHotKeys(settings);  // as when the preferences are opened again
        chord({VK_CONTROL, VK_MENU, 'R'});
        chord({VK_MENU, VK_F3});
        ASSERT_TRUE(probe::waitFor(
            [&] { return !window.events().empty() && window.events().back() == arrival(2); }));
    }
    std::vector<std::string> arrived = window.events();
    // Wine ignores MOD_NOREPEAT and reports every repeat.
    if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr)
        arrived.erase(std::unique(arrived.begin(), arrived.end()), arrived.end());
    EXPECT_EQ(arrived, (std::vector<std::string>{arrival(kBeginHotKey), arrival(2)}));

    // The atoms go with the registry (one left behind would also tell of a wrong identifier).
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
