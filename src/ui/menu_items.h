#pragma once

// Menus built from tables of items, as every window and the tray build
// theirs.

#include <windows.h>

#include <span>

namespace keyreel::ui {

struct MenuItem {
    const wchar_t* caption;  // nullptr: a separator
    int command;
};

inline void appendMenuItems(HMENU menu, std::span<const MenuItem> items) {
    for (const MenuItem& item : items) {
        if (item.caption == nullptr)
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(item.command), item.caption);
    }
}

// Adds a pop-up with the items to the menu bar, which owns it from here on.
inline void appendPopup(HMENU bar, const wchar_t* caption, std::span<const MenuItem> items) {
    const HMENU popup = CreatePopupMenu();
    appendMenuItems(popup, items);
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), caption);
}

}  // namespace keyreel::ui
