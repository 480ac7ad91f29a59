#include "ui/main_menus.h"

#include <span>

#include "ui/command_ids.h"

namespace keyreel::ui {

namespace {

struct MenuItem {
    const wchar_t* caption;  // nullptr: a separator
    int command;
};

constexpr MenuItem kSeparator{nullptr, 0};

// A menu-bar entry opens its items, or is a command of its own. An entry
// with neither waits for the windows its items will open.
struct MenuBarEntry {
    const wchar_t* caption;
    std::span<const MenuItem> items;
    int command;
};

constexpr MenuItem kFileMenu[] = {
    {L"&Load", kLoadCommand}, {L"&Clear", kClearCommand}, kSeparator, {L"E&xit", kExitCommand}};
// Build: "&Edit", "&Record". Prefs: "&StartUp Preferences", "&Scheduler".
constexpr std::span<const MenuItem> kBuildMenu;
constexpr MenuItem kPrefsMenu[] = {{L"&Scheduler", kSchedulerCommand}};
constexpr MenuItem kHelpMenu[] = {{L"&Macro Help", kMacroHelpCommand}, {L"&About", kAboutCommand}};

constexpr MenuBarEntry kMenuBar[] = {
    {L"&File", kFileMenu, 0},     {L"&Build", kBuildMenu, 0}, {L"&Prefs", kPrefsMenu, 0},
    {L"Hi&de", {}, kHideCommand}, {L"&Help", kHelpMenu, 0},
};

// The order is the tray menu's for good: "Scheduler" comes first, then
// "Load Macro", "Preferences", "Record", "Stop", "Edit", "Help", "About", a
// separator and "Exit"; each window's item takes its place when it arrives.
constexpr MenuItem kTrayMenu[] = {
    {L"Scheduler", kTraySchedulerCommand}, {L"Load Macro", kLoadCommand}, {L"Stop", kStopCommand},
    {L"Help", kTrayHelpCommand},           {L"About", kAboutCommand},     kSeparator,
    {L"Exit", kTrayExitCommand},
};

void appendItems(HMENU menu, std::span<const MenuItem> items) {
    for (const MenuItem& item : items) {
        if (item.caption == nullptr)
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(item.command), item.caption);
    }
}

}  // namespace

win32::OwnedMenu createMainMenuBar() {
    win32::OwnedMenu bar(CreateMenu());
    for (const MenuBarEntry& entry : kMenuBar) {
        if (!entry.items.empty()) {
            const HMENU popup = CreatePopupMenu();
            appendItems(popup, entry.items);
            // The bar owns its pop-ups from here on.
            AppendMenuW(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(popup), entry.caption);
        } else if (entry.command != 0) {
            AppendMenuW(bar.get(), MF_STRING, static_cast<UINT_PTR>(entry.command), entry.caption);
        }
    }
    return bar;
}

std::vector<const wchar_t*> trayMenuCaptions() {
    std::vector<const wchar_t*> captions;
    for (const MenuItem& item : kTrayMenu)
        captions.push_back(item.caption);
    return captions;
}

win32::OwnedMenu createTrayMenu() {
    win32::OwnedMenu menu(CreatePopupMenu());
    appendItems(menu.get(), kTrayMenu);
    return menu;
}

}  // namespace keyreel::ui
