#pragma once

// System-wide hot keys of one window: identifiers from global atoms, and
// registrations for the window, which HotKeyRegistry makes and withdraws.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <utility>

#include "core/settings/hot_key_registry.h"

namespace keyreel::win32 {

// The identifier a WM_HOTKEY message carries, as the registration gave it.
inline std::int32_t hotKeyIdOf(WPARAM wParam) {
    return static_cast<std::int32_t>(wParam);
}

class WindowHotKeys final : public HotKeyPlatform {
  public:
    // `window` gives the window the hot keys belong to, once it exists.
    explicit WindowHotKeys(std::function<HWND()> window) : window_(std::move(window)) {}

    std::int16_t addAtom(std::string_view name) override;
    void deleteAtom(std::int16_t atom) override;
    // Without auto-repeat, so holding the keys delivers one message.
    bool registerHotKey(const HotKeyRegistration& hotKey) override;
    void unregisterHotKey(std::int32_t id) override;

  private:
    std::function<HWND()> window_;
};

}  // namespace keyreel::win32
