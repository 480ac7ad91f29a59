#include "win32/win32_file_store.h"

#include <windows.h>

#include "win32/owned.h"
#include "win32/zone_manager.h"

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

std::wstring zoneStreamPath(const std::string& path) {
    return pathFromUtf8(path + std::string(kZoneStreamSuffix)).wstring();
}

}  // namespace

ZoneStream Win32FileStore::readZoneStream(const std::string& path) {
    const HANDLE opened = CreateFileW(zoneStreamPath(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // No such stream, or no such file (or folder) at all.
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return {};
        return {ZoneStream::State::Unreadable, {}};
    }
    const OwnedHandle stream(opened);
    // One byte more than the longest stream read tells a longer one apart.
    std::string text(kLongestZoneStream + 1, '\0');
    DWORD read = 0;
    if (!ReadFile(stream.get(), text.data(), static_cast<DWORD>(text.size()), &read, nullptr) ||
        read > kLongestZoneStream)
        return {ZoneStream::State::Unreadable, {}};
    text.resize(read);
    return {ZoneStream::State::Read, std::move(text)};
}

bool Win32FileStore::writeZoneStream(const std::string& path, std::string_view text) {
    const HANDLE opened = CreateFileW(zoneStreamPath(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE)
        return false;
    const OwnedHandle stream(opened);
    DWORD written = 0;
    return WriteFile(stream.get(), text.data(), static_cast<DWORD>(text.size()), &written,
                     nullptr) != 0 &&
           written == text.size();
}

LocationZone Win32FileStore::locationZone(const std::string& path) {
    return zoneOfSavedFile(pathFromUtf8(path).wstring());
}

bool Win32FileStore::replace(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (!flushToDisk(from))
        return false;
    return MoveFileExW(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace keyreel::win32
