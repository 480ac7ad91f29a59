#pragma once

// A top-level window bound to a C++ object: the class is registered once, the
// object travels in the create parameters, and messages reach handleMessage.
// Controls are laid out from tables in twips and placed again whenever the
// window's DPI changes.

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "win32/owned.h"

namespace keyreel::ui {

struct ControlPlacement {
    const wchar_t* className;
    const wchar_t* text;
    DWORD style;
    int id;
    int left, top, width, height;  // twips
    DWORD exStyle = 0;
};

class Window {
  public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND hwnd() const { return hwnd_; }
    // "Loaded": the window exists, shown or hidden. Its object outlives every
    // unload, so whoever holds it across a processing point never holds a
    // dangling reference; opening it again creates the window afresh.
    bool loaded() const { return hwnd_ != nullptr; }
    // Closes the window for good, as exit and Hide do; false when it refused
    // (a window with unsaved work may ask first).
    virtual bool unload();
    // Called each time the window was created.
    void setCreatedHandler(std::function<void()> handler) { createdHandler_ = std::move(handler); }
    // Whether `window` is one of the program's own windows, of any class.
    static bool isOwnWindow(HWND window);
    // The DPI the window is laid out for. KEYREEL_DPI in the environment
    // overrides the system's, so scaling can be tested anywhere.
    UINT dpi() const { return dpi_; }
    void destroy();
    void setTitle(const std::string& utf8);
    HWND control(int id) const { return GetDlgItem(hwnd_, id); }
    void setControlText(int id, const std::string& utf8);

    // Pixels for a length in twips at the window's DPI.
    int toPixels(int twips) const;

  protected:
    struct Frame {
        const wchar_t* className;
        std::string title;
        DWORD style;
        DWORD exStyle;
        int clientWidth, clientHeight;  // twips
        HWND owner;
        HMENU menu;
    };
    bool create(const Frame& frame, const std::vector<ControlPlacement>& controls);
    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Called once the window and its controls exist.
    virtual void created() {}
    // Called after the window was laid out for a new DPI.
    virtual void dpiChanged() {}
    // The client width in pixels the window needs at least, beyond its
    // layout's width (a caption that must show whole, say).
    virtual int minimumClientWidth() const { return 0; }
    // Puts the window in the middle of the work area of the screen the
    // pointer is on, in front, and shows it.
    void centerOnScreen(HWND insertAfter);

  private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Sizes the window for its client area, or takes the frame Windows
    // suggests for a new DPI, then places the controls.
    void applyLayout(const RECT* suggestedFrame);
    // False when the class, the window or one of its controls could not be
    // made.
    bool createWindowAndControls(const Frame& frame);
    void widenToMinimum();

    HWND hwnd_ = nullptr;  // owned: destroyed by destroy() or with this object
    UINT dpi_ = 96;
    // The message font at dpi_, made once per DPI.
    win32::OwnedFont font_;
    std::vector<ControlPlacement> controls_;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    std::function<void()> createdHandler_;
};

HINSTANCE moduleInstance();
// The program's icon in the system's large size; shared, never destroyed.
HICON programIcon();
// A control's text, as UTF-8.
std::string controlText(HWND control);
// What the user is told when a window of the program cannot be made.
std::string windowNotOpenedMessage(const std::string& title);

}  // namespace keyreel::ui
