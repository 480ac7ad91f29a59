#pragma once

// Files that exist only in memory: what kyr simulates against (it must never
// write the user's files) and what tests use to make files unreadable or
// writes fail.

#include <map>
#include <set>
#include <string>
#include <string_view>

#include "core/base/file_store.h"

namespace keyreel {

class MemoryFileStore final : public FileStore {
  public:
    std::map<std::string, std::string> files;
    // Paths that exist but cannot be read, and paths that cannot be written.
    std::set<std::string> unreadable;
    std::set<std::string> unwritable;
    int writes = 0;
    int reads = 0;

    std::optional<std::string> readAll(const std::string& path) override {
        ++reads;
        const auto it = files.find(path);
        if (it == files.end() || unreadable.contains(path))
            return std::nullopt;
        return it->second;
    }
    bool exists(const std::string& path) override { return files.contains(path); }
    std::optional<std::uint64_t> fileSize(const std::string& path) override {
        const auto it = files.find(path);
        if (it == files.end())
            return std::nullopt;
        return it->second.size();
    }
    bool writeAtomically(const std::string& path, std::string_view bytes) override {
        if (unwritable.contains(path))
            return false;
        // A file renamed over another comes without the other's streams.
        files.erase(path + std::string(kZoneStreamSuffix));
        files[path] = std::string(bytes);
        ++writes;
        return true;
    }
    bool copyAtomically(const std::string& from, const std::string& to) override {
        const auto it = files.find(from);
        if (it == files.end() || unreadable.contains(from))
            return false;
        return writeAtomically(to, std::string(it->second));
    }
};

}  // namespace keyreel
