#pragma once

// The file store on Windows: the finished temporary file replaces the target
// in one step that is on the disk when the call returns; the download mark is
// the file's Zone.Identifier stream and the zone manager's answer.

#include "core/base/file_store.h"

namespace keyreel::win32 {

class Win32FileStore : public LocalFileStore {
  public:
    // The stream of an NTFS file; under Wine the file beside.
    ZoneStream readZoneStream(const std::string& path) override;
    bool writeZoneStream(const std::string& path, std::string_view text) override;
    // What Windows' URL security zone manager says.
    LocationZone locationZone(const std::string& path) override;

  protected:
    bool replace(const std::filesystem::path& from, const std::filesystem::path& to) override;
};

}  // namespace keyreel::win32
