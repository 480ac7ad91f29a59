#include "win32/file_dialogs.h"

#include <commdlg.h>

#include <algorithm>

#include "win32/wide_text.h"

namespace keyreel::win32 {

namespace {

// Room for the longest path Windows accepts.
constexpr DWORD kPathRoom = 32768;

std::optional<std::string> choose(HWND owner, const FileFilter& filter, bool save) {
    const std::wstring filterText = dialogFilter(filter.patterns);
    std::wstring path(kPathRoom, L'\0');
    OPENFILENAMEW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpstrFilter = filterText.c_str();
    request.nFilterIndex = static_cast<DWORD>(std::max(filter.preselected, 1));
    request.lpstrFile = path.data();
    request.nMaxFile = kPathRoom;
    // The current folder stays where it was: macros start programs relative
    // to it.
    request.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    const BOOL chosen = save ? GetSaveFileNameW(&request) : GetOpenFileNameW(&request);
    if (!chosen)
        return std::nullopt;
    path.resize(path.find(L'\0'));
    return toUtf8(path);
}

}  // namespace

std::optional<std::string> chooseFileToOpen(HWND owner, const FileFilter& filter) {
    return choose(owner, filter, false);
}

std::optional<std::string> chooseFileToSave(HWND owner, const FileFilter& filter) {
    return choose(owner, filter, true);
}

std::wstring dialogFilter(std::string_view patterns) {
    std::wstring filter = toWide(patterns);
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    filter.append(2, L'\0');
    return filter;
}

}  // namespace keyreel::win32
