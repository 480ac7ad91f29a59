#include "win32/hot_keys.h"

#include "win32/wide_text.h"

namespace keyreel::win32 {

std::int16_t WindowHotKeys::addAtom(std::string_view name) {
    return static_cast<std::int16_t>(GlobalAddAtomW(toWide(name).c_str()));
}

void WindowHotKeys::deleteAtom(std::int16_t atom) {
    GlobalDeleteAtom(static_cast<ATOM>(atom));
}

bool WindowHotKeys::registerHotKey(const HotKeyRegistration& hotKey) {
    return RegisterHotKey(window_(), hotKey.id, hotKey.modifiers | MOD_NOREPEAT,
                          hotKey.virtualKey) != FALSE;
}

void WindowHotKeys::unregisterHotKey(std::int32_t id) {
    UnregisterHotKey(window_(), id);
}

}  // namespace keyreel::win32
