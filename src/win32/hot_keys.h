#pragma once

// System-wide hot keys for a window: their identifiers from global atoms,
// and the registrations, which the window owns for its lifetime.

#include <windows.h>

#include <cstdint>
#include <span>
#include <vector>

#include "core/settings/hot_key_plan.h"

namespace keyreel::win32 {

// The identifiers of the eight hot keys: the global atoms of their names,
// the same values again for every call while the program runs.
HotKeyIds addHotKeyAtoms();

// The identifier a WM_HOTKEY message carries, as the registration gave it.
inline std::int32_t hotKeyIdOf(WPARAM wParam) {
    return static_cast<std::int32_t>(wParam);
}

// The hot keys registered for one window; each is unregistered when this
// object goes. The window must outlive it.
class HotKeyRegistrations {
  public:
    explicit HotKeyRegistrations(HWND window) : window_(window) {}
    ~HotKeyRegistrations() { unregisterAll(); }
    HotKeyRegistrations(const HotKeyRegistrations&) = delete;
    HotKeyRegistrations& operator=(const HotKeyRegistrations&) = delete;

    // Registers every planned hot key without auto-repeat, so holding the
    // keys delivers one message, and tells `holdings` how each one went. A
    // combination that is held already stays unregistered; earlier
    // registrations stay too.
    void registerHotKeys(std::span<const HotKeyRegistration> plan, HotKeyHoldings& holdings);
    void unregisterAll();

  private:
    HWND window_;  // not owned: the window the hot keys belong to
    // One entry per successful registration, so an identifier registered
    // twice is also unregistered twice.
    std::vector<int> registered_;
};

}  // namespace keyreel::win32
