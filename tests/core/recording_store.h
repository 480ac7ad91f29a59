#pragma once

#include <string>
#include <vector>

#include "core/settings/settings.h"

namespace keyreel {

// A settings store that logs every write and can be told to fail one of them.
class RecordingStore final : public SettingsStore {
  public:
    std::string readSetting(std::string_view section, std::string_view key) override {
        return inner.readSetting(section, key);
    }
    bool writeSetting(std::string_view section, std::string_view key,
                      std::string_view value) override {
        writes.push_back(std::string(section) + "/" + std::string(key) + "=" + std::string(value));
        return writes.size() != failingWrite && inner.writeSetting(section, key, value);
    }

    MemorySettingsStore inner;
    std::vector<std::string> writes;
    std::size_t failingWrite = 0;  // 1-based; 0 = none fails
};

}  // namespace keyreel
