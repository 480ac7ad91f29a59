#pragma once

// The notification-area icon of the main window. It reports mouse activity as
// `callbackMessage` with the mouse message in lParam, is added again when the
// taskbar is re-created, and is removed with this object.

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <string>

namespace keyreel::win32 {

class TrayIcon {
  public:
    TrayIcon(HWND owner, UINT callbackMessage, HICON icon)
        : owner_(owner), callbackMessage_(callbackMessage), icon_(icon) {}
    ~TrayIcon() { remove(); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon with this tip; an icon already there keeps its tip.
    void add(const std::string& tipUtf8);
    void remove();
    bool shown() const { return shown_; }
    // The message Explorer broadcasts when it starts again.
    static UINT taskbarCreatedMessage();
    // After that message: puts a shown icon back.
    void restore();

  private:
    NOTIFYICONDATAW data() const;

    HWND owner_;
    UINT callbackMessage_;
    HICON icon_;
    std::wstring tip_;
    bool shown_ = false;
};

}  // namespace keyreel::win32
