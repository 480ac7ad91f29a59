// The registry store against the real registry, in a section of its own.

#include "win32/registry_settings_store.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace keyreel::win32 {
namespace {

constexpr const char* kSection = "settingsStoreTest";

class RegistryStore : public ::testing::Test {
  protected:
    void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, sectionPath.c_str()); }
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, sectionPath.c_str()); }

    const std::wstring sectionPath = std::wstring(kSettingsKey) + L"\\settingsStoreTest";
    RegistrySettingsStore store;
};

TEST_F(RegistryStore, ValuesRoundTripExactlyUnderNamesInAnyCaseAndForeignOnesReadAsAbsent) {
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
}

}  // namespace
}  // namespace keyreel::win32
