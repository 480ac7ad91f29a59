#pragma once

// Menus built from tables of items, as the main window, the tray and the
// editor build theirs.

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

}  // namespace keyreel::ui
