#include "win32/file_dialogs.h"

#include <commdlg.h>

#include <algorithm>

#include "win32/wide_text.h"

namespace keyreel::win32 {

namespace {

// Room for the longest path Windows accepts.
constexpr DWORD kPathRoom = 32768;

}  // namespace

std::optional<std::string> chooseFile(HWND owner, const FileDialogRequest& request) {
    const std::wstring filterText = dialogFilter(request.filter);
    std::wstring path(kPathRoom, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filterText.c_str();
    dialog.nFilterIndex = static_cast<DWORD>(std::max(request.filterIndex, 1));
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = kPathRoom;
    // The current folder stays what it was at start, so that a relative
    // path given then keeps its meaning.
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    const BOOL chosen = request.kind == FileDialogRequest::Kind::SaveAs ? GetSaveFileNameW(&dialog)
                                                                        : GetOpenFileNameW(&dialog);
    if (!chosen)
        return std::nullopt;
    path.resize(path.find(L'\0'));
    return toUtf8(path);
}

std::wstring dialogFilter(std::string_view patterns) {
    std::wstring filter = toWide(patterns);
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    filter.append(2, L'\0');
    return filter;
}

}  // namespace keyreel::win32
