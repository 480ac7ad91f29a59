#pragma once

// Owning wrappers for what the program creates from the system: each one
// gives its handle back when it goes, whatever happens in between.

#include <windows.h>

#include <utility>

namespace keyreel::win32 {

template <typename Handle, void (*Release)(Handle), Handle Empty = Handle{}>
class Owned {
  public:
    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    ~Owned() { reset(); }
    Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, Empty)) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other)
            reset(std::exchange(other.handle_, Empty));
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Empty; }
    // Hands the handle to whoever takes it over from here (a window that
    // keeps its menu bar, say).
    Handle release() { return std::exchange(handle_, Empty); }
    void reset(Handle handle = Empty) {
        const Handle old = std::exchange(handle_, handle);
        if (old != Empty)
            Release(old);
    }

  private:
    Handle handle_ = Empty;
};

namespace release {
inline void kernelObject(HANDLE handle) {
    CloseHandle(handle);
}
inline void gdiObject(HFONT font) {
    DeleteObject(font);
}
inline void menu(HMENU menu) {
    DestroyMenu(menu);
}
inline void window(HWND window) {
    DestroyWindow(window);
}
inline void icon(HICON icon) {
    DestroyIcon(icon);
}
inline void registryKey(HKEY key) {
    RegCloseKey(key);
}
inline void brush(HBRUSH brush) {
    DeleteObject(brush);
}
inline void bitmap(HBITMAP bitmap) {
    DeleteObject(bitmap);
}
inline void memoryDc(HDC dc) {
    DeleteDC(dc);
}
inline void library(HMODULE module) {
    FreeLibrary(module);
}
inline void winEventHook(HWINEVENTHOOK hook) {
    UnhookWinEvent(hook);
}
}  // namespace release

// Process, thread and mutex handles (null when there is none; files, whose
// failure value differs, are not kept in one).
using OwnedHandle = Owned<HANDLE, release::kernelObject>;
using OwnedFont = Owned<HFONT, release::gdiObject>;
using OwnedMenu = Owned<HMENU, release::menu>;
using OwnedWindow = Owned<HWND, release::window>;
using OwnedIcon = Owned<HICON, release::icon>;
using OwnedRegistryKey = Owned<HKEY, release::registryKey>;
using OwnedBrush = Owned<HBRUSH, release::brush>;
using OwnedBitmap = Owned<HBITMAP, release::bitmap>;
// A device context of our own (CreateCompatibleDC), not a window's.
using OwnedMemoryDc = Owned<HDC, release::memoryDc>;
using OwnedLibrary = Owned<HMODULE, release::library>;
using OwnedWinEventHook = Owned<HWINEVENTHOOK, release::winEventHook>;

// The device context of a window (GetDC), released to the window with this
// object.
class WindowDc {
  public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr)
            ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

  private:
    HWND window_;  // not owned: the window the context belongs to
    HDC dc_;
};

// An object selected into a device context; the one it replaced is selected
// back with this object, so the context never goes with ours still in it.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR)
            SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC dc_;  // not owned
    HGDIOBJ previous_;
};

// A timer of a window, killed with this object.
class OwnedTimer {
  public:
    OwnedTimer() = default;
    ~OwnedTimer() { stop(); }
    OwnedTimer(const OwnedTimer&) = delete;
    OwnedTimer& operator=(const OwnedTimer&) = delete;

    // (Re)starts the timer `id` of the window; false when it could not be set.
    bool start(HWND window, UINT_PTR id, UINT intervalMillis) {
        stop();
        if (SetTimer(window, id, intervalMillis, nullptr) == 0)
            return false;
        window_ = window;
        id_ = id;
        return true;
    }
    void stop() {
        if (window_ != nullptr)
            KillTimer(window_, id_);
        window_ = nullptr;
    }
    bool running() const { return window_ != nullptr; }

  private:
    HWND window_ = nullptr;  // not owned: the window the timer belongs to
    UINT_PTR id_ = 0;
};

}  // namespace keyreel::win32
