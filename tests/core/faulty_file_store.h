#pragma once

// The real file store, failing at one chosen step of an atomic write or as a full disk.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "core/base/file_store.h"

namespace keyreel {

enum class FileFault {
    None,
    Create,      // the temporary file cannot be created
    WriteAfter,  // writing stops after `bytesBeforeFault` bytes
    Flush,       // flushing or closing the temporary file fails
    Rename,      // the finished file cannot take the name of a new target
    Replace,     // the finished file cannot replace an existing target
    FullDisk,    // `bytesBeforeFault` bytes fit, then writing and flushing fail
};

class FaultyFileStore final : public LocalFileStore {
  public:
    FileFault fault = FileFault::None;
    std::size_t bytesBeforeFault = 0;
    int faultsMet = 0;  // steps made to fail so far

  protected:
    bool createFile(const std::filesystem::path& path, std::ofstream& out) override {
        if (fault == FileFault::Create)
            return failed();
        return LocalFileStore::createFile(path, out);
    }
    bool writeBytes(std::ofstream& out, std::string_view bytes) override {
        if (fault != FileFault::WriteAfter && fault != FileFault::FullDisk)
            return LocalFileStore::writeBytes(out, bytes);
        // What fits reaches the file, so a partial temporary file is left to clean up.
        LocalFileStore::writeBytes(out, bytes.substr(0, std::min(bytes.size(), bytesBeforeFault)));
        out.flush();
        return bytes.size() <= bytesBeforeFault || failed();
    }
    bool flushFile(std::ofstream& out) override {
        if (fault == FileFault::Flush || fault == FileFault::FullDisk)
            return failed();
        return LocalFileStore::flushFile(out);
    }
    bool replace(const std::filesystem::path& from, const std::filesystem::path& to) override {
        const bool targetExists = std::filesystem::exists(to);
        if ((fault == FileFault::Rename && !targetExists) ||
            (fault == FileFault::Replace && targetExists)) {
            return failed();
        }
        return LocalFileStore::replace(from, to);
    }

  private:
    bool failed() {
        ++faultsMet;
        return false;
    }
};

}  // namespace keyreel
