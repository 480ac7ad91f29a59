// The registry store against the real registry, in a section of its own.

#include "registry_settings_store.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace keyreel::win32 {
namespace {

constexpr const char* kSection = "settingsStoreTest";

class RegistryStore : public ::testing::Test {
  protected:
    void SetUp() override { removeSection(); }
    void TearDown() override { removeSection(); }

    static std::wstring sectionPath() {
        return std::wstring(kSettingsKey) + L"\\settingsStoreTest";
    }
    static void removeSection() { RegDeleteTreeW(HKEY_CURRENT_USER, sectionPath().c_str()); }

    RegistrySettingsStore store;
};

TEST_F(RegistryStore, ValuesRoundTripWithNamesInOtherCase) {
    EXPECT_TRUE(store.writeSetting(kSection, "run", "0"));
    EXPECT_EQ(store.readSetting("SETTINGSSTORETEST", "Run"), "0");
    EXPECT_TRUE(store.writeSetting("SettingsStoreTest", "RUN", "1"));
    EXPECT_EQ(store.readSetting(kSection, "run"), "1") << "one entry, replaced";

    wchar_t stored[8] = {};
    DWORD bytes = sizeof(stored);
    DWORD type = 0;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, sectionPath().c_str(), L"rUn", RRF_RT_ANY, &type,
                           stored, &bytes),
              ERROR_SUCCESS)
        << "HKEY_CURRENT_USER\\Software\\Keyreel\\treel\\<section>";
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_STREQ(stored, L"1");
}

TEST_F(RegistryStore, TextIsKeptExactly) {
    const std::string path = "  C:\\Maçros\\Grüße €\\你好 Ω.kyr\t ";
    EXPECT_TRUE(store.writeSetting(kSection, "F1", path));
    EXPECT_EQ(store.readSetting(kSection, "f1"), path);

    EXPECT_TRUE(store.writeSetting(kSection, "Schlüssel", "ä"));
    EXPECT_EQ(store.readSetting(kSection, "SCHLÜSSEL"), "ä");

    const std::string longText(5000, 'x');
    EXPECT_TRUE(store.writeSetting(kSection, "long", longText));
    EXPECT_EQ(store.readSetting(kSection, "long"), longText);

    EXPECT_TRUE(store.writeSetting(kSection, "long", ""));
    EXPECT_EQ(store.readSetting(kSection, "long"), "");
}

TEST_F(RegistryStore, MissingOrForeignValuesReadAsAbsent) {
    EXPECT_EQ(store.readSetting(kSection, "delay"), "") << "no section";
    store.writeSetting(kSection, "Run", "1");
    EXPECT_EQ(store.readSetting(kSection, "delay"), "") << "no value";

    const DWORD number = 1;
    RegSetKeyValueW(HKEY_CURRENT_USER, sectionPath().c_str(), L"dword", REG_DWORD, &number,
                    sizeof(number));
    EXPECT_EQ(store.readSetting(kSection, "dword"), "");
    const wchar_t expandable[] = L"%TEMP%";
    RegSetKeyValueW(HKEY_CURRENT_USER, sectionPath().c_str(), L"expand", REG_EXPAND_SZ, expandable,
                    sizeof(expandable));
    EXPECT_EQ(store.readSetting(kSection, "expand"), "");
}

}  // namespace
}  // namespace keyreel::win32
