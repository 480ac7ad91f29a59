#pragma once

// The file store on Windows: the finished temporary file replaces the target
// in one step that is on the disk when the call returns.

#include "core/base/file_store.h"

namespace keyreel::win32 {

class Win32FileStore : public LocalFileStore {
  protected:
    bool replace(const std::filesystem::path& from, const std::filesystem::path& to) override;
};

}  // namespace keyreel::win32
