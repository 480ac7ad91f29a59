#pragma once

// A real window for the adapter tests.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "window_probe.h"

namespace keyreel::win32 {

// Records the pointer, key, hot-key and WM_APP messages it gets ("ldown 10,20",
// "keydown 17", "hotkey -16000", "app 3"), optionally with an edit control filling it.
class TestWindow {
  public:
    enum class Content { Empty, Edit };

    TestWindow(const std::string& title, Content content, bool shown = true);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND handle() const { return window_; }
    bool exists() const { return IsWindow(window_) != 0; }
    std::string text() const;
    const std::vector<std::string>& events() const { return events_; }
    std::function<void(WPARAM)> onApp;
    // Sees every message first; a result handles it.
    std::function<std::optional<LRESULT>(UINT, WPARAM, LPARAM)> onMessage;
    static constexpr const wchar_t* kClassName = L"KeyreelTestWindow";

    void bringToFront();

  private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    HWND edit_ = nullptr;
    std::vector<std::string> events_;
};

}  // namespace keyreel::win32
