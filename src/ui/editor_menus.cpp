#include "ui/editor_menus.h"

#include <span>

#include "ui/menu_items.h"
#include "win32/wide_text.h"

namespace keyreel::ui {

namespace {

constexpr MenuItem kFileMenu[] = {
    {L"&New", kNewCommand},
    {L"&Open...", kOpenCommand},
    {L"Save &As...", kSaveAsCommand},
    {L"&Close/Save", kCloseSaveCommand},
    {nullptr, 0},
    {L"E&xit", kEditorExitCommand},
};
constexpr MenuItem kEditMenu[] = {
    {L"Cu&t\tCtrl+X", kCutCommand},     {L"C&opy\tCtrl+C", kCopyCommand},
    {L"&Paste\tCtrl+V", kPasteCommand}, {nullptr, 0},
    {L"&Check\tF7", kCheckCommand},
};
constexpr int kFileMenuPosition = 0;
constexpr int kEditMenuPosition = 1;

// A path as a menu caption: an "&" in it is shown, not taken for an access key.
std::wstring captionOf(const std::string& path) {
    std::wstring caption;
    for (const wchar_t c : win32::toWide(path)) {
        caption += c;
        if (c == L'&')
            caption += L'&';
    }
    return caption;
}

}  // namespace

win32::OwnedMenu createEditorMenuBar() {
    win32::OwnedMenu bar(CreateMenu());
    appendPopup(bar.get(), L"&File", kFileMenu);
    appendPopup(bar.get(), L"&Edit", kEditMenu);
    return bar;
}

void showRecentFiles(HMENU menuBar, const std::vector<std::string>& paths) {
    const HMENU file = GetSubMenu(menuBar, kFileMenuPosition);
    const int fixedItems = static_cast<int>(std::size(kFileMenu));
    while (GetMenuItemCount(file) > fixedItems)
        DeleteMenu(file, static_cast<UINT>(fixedItems), MF_BYPOSITION);
    if (paths.empty())
        return;
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    const int room = kLastRecentFileCommand - kFirstRecentFileCommand + 1;
    for (int i = 0; i < static_cast<int>(paths.size()) && i < room; ++i) {
        AppendMenuW(file, MF_STRING, static_cast<UINT_PTR>(kFirstRecentFileCommand + i),
                    captionOf(paths[static_cast<std::size_t>(i)]).c_str());
    }
}

void enableEditItems(HMENU menuBar, bool textSelected) {
    const HMENU edit = GetSubMenu(menuBar, kEditMenuPosition);
    const UINT selectionItems = textSelected ? MF_ENABLED : MF_GRAYED;
    EnableMenuItem(edit, kCutCommand, MF_BYCOMMAND | selectionItems);
    EnableMenuItem(edit, kCopyCommand, MF_BYCOMMAND | selectionItems);
    EnableMenuItem(edit, kPasteCommand, MF_BYCOMMAND | MF_ENABLED);
}

bool isEditMenu(HMENU menuBar, HMENU popup) {
    return popup != nullptr && GetSubMenu(menuBar, kEditMenuPosition) == popup;
}

}  // namespace keyreel::ui
