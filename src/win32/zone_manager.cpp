#include "win32/zone_manager.h"

#include <urlmon.h>
#include <windows.h>

#include <filesystem>
#include <memory>
#include <system_error>

namespace keyreel::win32 {

namespace {

void releaseManager(IInternetSecurityManager* manager) {
    manager->Release();
}

using OwnedManager = std::unique_ptr<IInternetSecurityManager, decltype(&releaseManager)>;

}  // namespace

LocationZone zoneOfSavedFile(const std::wstring& path) {
    // The manager answers only for a full path.
    std::error_code ec;
    const std::wstring full = std::filesystem::absolute(path, ec).wstring();
    if (ec)
        return std::nullopt;
    IInternetSecurityManager* created = nullptr;
    if (FAILED(CoCreateInstance(CLSID_InternetSecurityManager, nullptr, CLSCTX_INPROC_SERVER,
                                IID_IInternetSecurityManager,
                                reinterpret_cast<void**>(&created))) ||
        created == nullptr)
        return std::nullopt;
    const OwnedManager manager(created, releaseManager);
    DWORD zone = 0;
    // The flags for a file on a disk or a share: the path as it is, and the
    // mark in its stream read whatever the system's settings say.
    if (FAILED(manager->MapUrlToZone(
            full.c_str(), &zone, MUTZ_ISFILE | MUTZ_DONT_UNESCAPE | MUTZ_REQUIRESAVEDFILECHECK)) ||
        zone == static_cast<DWORD>(URLZONE_INVALID))
        return std::nullopt;
    return zone;
}

}  // namespace keyreel::win32
