#pragma once

// The file system as the core uses it: whole files read at once and written
// atomically. Paths are UTF-8.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace keyreel {

std::filesystem::path pathFromUtf8(std::string_view utf8);

class FileStore {
  public:
    virtual ~FileStore() = default;
    virtual std::optional<std::string> readAll(const std::string& path) = 0;
    virtual bool exists(const std::string& path) = 0;
    // Replaces the file's contents as one step: either the new bytes are all
    // there or the old file is untouched.
    virtual bool writeAtomically(const std::string& path, std::string_view bytes) = 0;
};

// Writes to a temporary file in the target's folder, then renames it over
// the target.
class LocalFileStore : public FileStore {
  public:
    std::optional<std::string> readAll(const std::string& path) override;
    bool exists(const std::string& path) override;
    bool writeAtomically(const std::string& path, std::string_view bytes) override;

  protected:
    // Moves the finished temporary file over the target.
    virtual bool replace(const std::filesystem::path& from, const std::filesystem::path& to);

  private:
    unsigned tempCounter_ = 0;
};

}  // namespace keyreel
