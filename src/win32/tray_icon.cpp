#include "win32/tray_icon.h"

#include <shellapi.h>

#include <algorithm>

#include "win32/wide_text.h"

namespace keyreel::win32 {

NOTIFYICONDATAW TrayIcon::data() const {
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof nid;
    nid.hWnd = owner_;
    nid.uID = 1;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = callbackMessage_;
    nid.hIcon = icon_;
    const std::size_t length = std::min(tip_.size(), std::size(nid.szTip) - 1);
    std::copy_n(tip_.begin(), length, nid.szTip);
    return nid;
}

void TrayIcon::add(const std::string& tipUtf8) {
    if (shown_)
        return;
    tip_ = toWide(tipUtf8);
    NOTIFYICONDATAW nid = data();
    shown_ = Shell_NotifyIconW(NIM_ADD, &nid) != FALSE;
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

void TrayIcon::restore() {
    if (!shown_)
        return;
    NOTIFYICONDATAW nid = data();
    Shell_NotifyIconW(NIM_ADD, &nid);
}

}  // namespace keyreel::win32
