#include "ui/tooltips.h"

#include <commctrl.h>

#include <vector>

#include "win32/wide_text.h"

namespace keyreel::ui {

namespace {

// Longer lines than this are cut in the tooltip; the list shows them whole.
constexpr std::size_t kTextRoom = 4096;

}  // namespace

bool Tooltips::create(HWND owner) {
    owner_ = owner;
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
    return tooltip_ != nullptr;
}

TOOLINFOW Tooltips::toolFor(HWND control) const {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = owner_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    return tool;
}

void Tooltips::add(HWND control, const std::string& text) {
    std::wstring wide = win32::toWide(text);
    TOOLINFOW tool = toolFor(control);
    // The tooltip watches the control's pointer messages itself.
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.lpszText = wide.data();
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Tooltips::setText(HWND control, const std::string& text) {
    std::wstring wide = win32::toWide(text);
    if (wide.size() >= kTextRoom)
        wide.resize(kTextRoom - 1);
    TOOLINFOW tool = toolFor(control);
    tool.lpszText = wide.data();
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

std::string Tooltips::text(HWND control) const {
    std::vector<wchar_t> buffer(kTextRoom, L'\0');
    TOOLINFOW tool = toolFor(control);
    tool.lpszText = buffer.data();
    SendMessageW(tooltip_, TTM_GETTEXTW, buffer.size(), reinterpret_cast<LPARAM>(&tool));
    return win32::toUtf8(buffer.data());
}

}  // namespace keyreel::ui
