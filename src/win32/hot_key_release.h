#pragma once

// What the Alt of a hot key leaves behind in the program in front. The
// system swallows the hot key's own key, so that program sees Alt go down
// and up with nothing between, takes it for a press of Alt alone and enters
// its menu bar, where the next typed keys would go.

#include <windows.h>

#include "core/macro/desktop.h"

namespace keyreel::win32 {

// Whether the keys of a WM_HOTKEY message (its lParam) include Alt.
inline bool hotKeyHasAlt(LPARAM keys) {
    return (LOWORD(keys) & MOD_ALT) != 0;
}

// While Alt is held, sends a key that nothing reacts to ahead of its
// release, so the program in front does not see Alt alone. True when Alt
// was still held once that key had gone: then the release comes after it.
bool maskAltRelease();

// When a released Alt put the program in front into menu mode, takes it out
// again. Menu mode may begin a little after the release reached the
// program, so this watches for it for a short while, handling messages.
void leaveMenuModeAfterAlt(Desktop& desktop);

// Both for one hot key with these keys: the Alt release masked while Alt is
// held, the menu left when the release came first.
void releaseHotKeyAlt(LPARAM keys, Desktop& desktop);

}  // namespace keyreel::win32
