#include "win32/zone_manager.h"

#include <windows.h>

#include <urlmon.h>

#include <memory>

#include "win32/hand_over.h"

namespace keyreel::win32 {

namespace {

void releaseManager(IInternetSecurityManager* manager) {
    manager->Release();
}

using OwnedManager = std::unique_ptr<IInternetSecurityManager, decltype(&releaseManager)>;

// COM for this thread for as long as the object lives; a thread that has it
// already only counts one more use, which the end gives back.
class ComUse {
  public:
    ComUse() : started_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComUse() {
        if (started_)
            CoUninitialize();
    }
    ComUse(const ComUse&) = delete;
    ComUse& operator=(const ComUse&) = delete;

  private:
    bool started_;
};

}  // namespace

LocationZone zoneOfSavedFile(const std::wstring& path) {
    // The manager answers only for a full path.
    const std::wstring full = fullPathOf(path);
    if (full.empty())
        return std::nullopt;
    const ComUse com;
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
