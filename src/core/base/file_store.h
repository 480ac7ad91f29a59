#pragma once

// The file system as the core uses it: whole files read at once and written
// atomically. Paths are UTF-8.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include "core/base/web_mark.h"

namespace keyreel {

std::filesystem::path pathFromUtf8(std::string_view utf8);

// Macro files and the schedule are read whole into memory; a larger file is
// refused before it is read.
inline constexpr std::uint64_t kLargestReadFile = 64 * 1024 * 1024;

class FileStore {
  public:
    virtual ~FileStore() = default;
    virtual std::optional<std::string> readAll(const std::string& path) = 0;
    virtual bool exists(const std::string& path) = 0;
    // The file's size in bytes, learnt without reading it; nothing when there
    // is no such file or its size cannot be had.
    virtual std::optional<std::uint64_t> fileSize(const std::string& path) = 0;
    // Replaces the file's contents as one step: either the new bytes are all
    // there or the old file is untouched.
    virtual bool writeAtomically(const std::string& path, std::string_view bytes) = 0;
    // Replaces `to` with a copy of `from` as writeAtomically does, without
    // reading the bytes into memory.
    virtual bool copyAtomically(const std::string& from, const std::string& to) = 0;

    // The file's download mark (core/base/web_mark.h). The stream has the
    // name Windows gives it, the path followed by ":Zone.Identifier"; where
    // files have no streams (Wine, the host) that names a file beside. These
    // read and write it as such a file; a replacing write of the file itself
    // may drop the stream, as a rename over a file does on Windows.
    virtual ZoneStream readZoneStream(const std::string& path);
    virtual bool writeZoneStream(const std::string& path, std::string_view text);
    // The zone the system's zone manager gives the file; here there is none.
    virtual LocationZone locationZone(const std::string& /*path*/) { return std::nullopt; }
    // Whether the file counts as downloaded, by either source.
    bool webMarked(const std::string& path) {
        return keyreel::webMarked(readZoneStream(path), locationZone(path));
    }
};

inline constexpr std::string_view kZoneStreamSuffix = ":Zone.Identifier";

// Writes to a temporary file in the target's folder, then renames it over
// the target. Whichever step fails, the temporary file is removed and the
// target left as it was.
class LocalFileStore : public FileStore {
  public:
    std::optional<std::string> readAll(const std::string& path) override;
    bool exists(const std::string& path) override;
    std::optional<std::uint64_t> fileSize(const std::string& path) override;
    bool writeAtomically(const std::string& path, std::string_view bytes) override;
    bool copyAtomically(const std::string& from, const std::string& to) override;

  protected:
    // The steps of writeAtomically, in order; each answers false when it
    // failed. Tests make any one of them fail.
    virtual bool createFile(const std::filesystem::path& path, std::ofstream& out);
    virtual bool writeBytes(std::ofstream& out, std::string_view bytes);
    // Flushes and closes the file.
    virtual bool flushFile(std::ofstream& out);
    // Moves the finished temporary file over the target.
    virtual bool replace(const std::filesystem::path& from, const std::filesystem::path& to);

  private:
    std::filesystem::path temporaryPathFor(const std::filesystem::path& target);

    unsigned tempCounter_ = 0;
};

}  // namespace keyreel
