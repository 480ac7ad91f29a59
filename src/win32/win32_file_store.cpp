#include "win32/win32_file_store.h"

#include <windows.h>

#include "win32/owned.h"

namespace keyreel::win32 {

namespace {

// The new bytes must reach the disk before the name does, or a crash right
// after the rename could leave the target with the new name and no content.
bool flushToDisk(const std::filesystem::path& file) {
    const HANDLE opened = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        return false;
    const OwnedHandle handle(opened);
    return FlushFileBuffers(handle.get()) != 0;
}

}  // namespace

bool Win32FileStore::replace(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (!flushToDisk(from))
        return false;
    return MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace keyreel::win32
