#include "ui/main_menus.h"

#include <span>

#include "ui/command_ids.h"
#include "ui/menu_items.h"

namespace keyreel::ui {

namespace {

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
constexpr MenuItem kBuildMenu[] = {{L"&Edit", kEditCommand}, {L"&Record", kRecordCommand}};
constexpr MenuItem kPrefsMenu[] = {{L"&StartUp Preferences", kStartupPreferencesCommand},
                                   {L"&Scheduler", kSchedulerCommand}};
constexpr MenuItem kHelpMenu[] = {{L"&Macro Help", kMacroHelpCommand}, {L"&About", kAboutCommand}};

constexpr MenuBarEntry kMenuBar[] = {
    {L"&File", kFileMenu, 0},     {L"&Build", kBuildMenu, 0}, {L"&Prefs", kPrefsMenu, 0},
    {L"Hi&de", {}, kHideCommand}, {L"&Help", kHelpMenu, 0},
};

// The order is the tray menu's for good: "Scheduler" comes first, then
// "Load Macro", "Preferences", "Record", "Stop", "Edit", "Help", "About", a
// separator and "Exit"; each window's item takes its place when it arrives.
constexpr MenuItem kTrayMenu[] = {
    {L"Scheduler", kTraySchedulerCommand},
    {L"Load Macro", kLoadCommand},
    {L"Preferences", kTrayPreferencesCommand},
    {L"Record", kRecordCommand},
    {L"Stop", kStopCommand},
    {L"Edit", kEditCommand},
    {L"Help", kTrayHelpCommand},
    {L"About", kAboutCommand},
    kSeparator,
    {L"Exit", kTrayExitCommand},
};

}  // namespace

win32::OwnedMenu createMainMenuBar() {
    win32::OwnedMenu bar(CreateMenu());
    for (const MenuBarEntry& entry : kMenuBar) {
        if (!entry.items.empty()) {
            appendPopup(bar.get(), entry.caption, entry.items);
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
    appendMenuItems(menu.get(), kTrayMenu);
    return menu;
}

}  // namespace keyreel::ui
