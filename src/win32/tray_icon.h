#pragma once

// The notification-area icon of the main window. It reports mouse activity as
// `callbackMessage` with the mouse message in lParam, is added again when the
// taskbar is re-created, drawn anew for a new DPI, and removed with this
// object.

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <string>

#include "win32/owned.h"

namespace keyreel::win32 {

class TrayIcon {
  public:
    // The icon is the program's icon resource `iconId`, drawn for `dpi`.
    TrayIcon(HWND owner, UINT callbackMessage, int iconId, UINT dpi);
    ~TrayIcon() { remove(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon with this tip; an icon already there keeps its tip.
    // False when the notification area took no icon.
    bool add(const std::string& tipUtf8);
    void remove();
    bool shown() const { return shown_; }
    // The message Explorer broadcasts when it starts again.
    static UINT taskbarCreatedMessage();
    // After that message: puts a shown icon back; false when it could not.
    bool restore();
    // Loads the icon in the size of the new DPI and shows it; false when a
    // shown icon could not be changed.
    bool dpiChanged(UINT dpi);

  private:
    NOTIFYICONDATAW data() const;

    HWND owner_;  // not owned: the main window
    UINT callbackMessage_;
    int iconId_;
    OwnedIcon icon_;
    std::wstring tip_;
    bool shown_ = false;
};

}  // namespace keyreel::win32
