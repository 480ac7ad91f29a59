#include "win32/win32_file_store.h"

#include <windows.h>

namespace keyreel::win32 {

namespace {

// The new bytes must reach the disk before the name does, or a crash right
// after the rename could leave the target with the new name and no content.
bool flushToDisk(const std::filesystem::path& file) {
    const HANDLE handle = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    const bool flushed = FlushFileBuffers(handle) != 0;
    CloseHandle(handle);
    return flushed;
}

}  // namespace

bool Win32FileStore::replace(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (!flushToDisk(from))
        return false;
    return MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace keyreel::win32
