#include "win32/tray_icon.h"

#include <shellapi.h>

#include <algorithm>

#include "win32/wide_text.h"

namespace keyreel::win32 {

namespace {

HICON loadSmallIcon(int iconId, UINT dpi) {
    const int width = GetSystemMetricsForDpi(SM_CXSMICON, dpi);
    const int height = GetSystemMetricsForDpi(SM_CYSMICON, dpi);
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(iconId),
                                         IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
}

}  // namespace

TrayIcon::TrayIcon(HWND owner, UINT callbackMessage, int iconId, UINT dpi)
    : owner_(owner),
      callbackMessage_(callbackMessage),
      iconId_(iconId),
      icon_(loadSmallIcon(iconId, dpi)) {}

NOTIFYICONDATAW TrayIcon::data() const {
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = owner_;
    nid.uID = 1;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = callbackMessage_;
    nid.hIcon = icon_.get();
    const std::size_t length = std::min(tip_.size(), std::size(nid.szTip) - 1);
    std::copy_n(tip_.begin(), length, nid.szTip);
    return nid;
}

bool TrayIcon::add(const std::string& tipUtf8) {
    if (shown_)
        return true;
    tip_ = toWide(tipUtf8);
    NOTIFYICONDATAW nid = data();
    shown_ = Shell_NotifyIconW(NIM_ADD, &nid) != FALSE;
    return shown_;
}

void TrayIcon::remove() {
    if (!shown_)
        return;
    NOTIFYICONDATAW nid = data();
    Shell_NotifyIconW(NIM_DELETE, &nid);
    shown_ = false;
}

UINT TrayIcon::taskbarCreatedMessage() {
    return RegisterWindowMessageW(L"TaskbarCreated");
}

bool TrayIcon::restore() {
    if (!shown_)
        return true;
    NOTIFYICONDATAW nid = data();
    return Shell_NotifyIconW(NIM_ADD, &nid) != FALSE;
}

bool TrayIcon::dpiChanged(UINT dpi) {
    // Without an icon of the new size the old one serves on.
    OwnedIcon sized(loadSmallIcon(iconId_, dpi));
    if (!sized)
        return true;
    icon_ = std::move(sized);
    if (!shown_)
        return true;
    NOTIFYICONDATAW nid = data();
    nid.uFlags = NIF_ICON;
    return Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

}  // namespace keyreel::win32
