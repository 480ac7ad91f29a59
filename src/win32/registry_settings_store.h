#pragma once

// The settings store in the registry: one key per section under
// HKEY_CURRENT_USER\Software\Keyreel\treel, one string value per setting.

#include <string>
#include <string_view>

#include "core/settings/settings.h"

namespace keyreel::win32 {

// The key below HKEY_CURRENT_USER that holds one subkey per section.
inline constexpr std::wstring_view kSettingsKey = L"Software\\Keyreel\\treel";

// Names are case-insensitive by nature there. A value that is not a string,
// or that cannot be read, reads as absent.
class RegistrySettingsStore final : public SettingsStore {
  public:
    std::string readSetting(std::string_view section, std::string_view key) override;
    bool writeSetting(std::string_view section, std::string_view key,
                      std::string_view value) override;
};

}  // namespace keyreel::win32
