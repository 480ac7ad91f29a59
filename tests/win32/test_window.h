#pragma once

// A real window for the adapter tests, and answers to the dialogs a window
// of this process shows.

#include <windows.h>

#include <functional>
#include <future>
#include <optional>
#include <string>
#include <vector>

#include "window_probe.h"

namespace keyreel::win32 {

// A top-level window that records the pointer, key, hot-key, WM_APP and
// WM_CANCELMODE messages it gets ("ldown 10,20", "rdbl 5,5", "keydown 17",
// "syskeyup 18", "hotkey -16000", "app 3", "cancelmode 0"), optionally with
// an edit control filling it.
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
    // Runs when the window handles a WM_APP message, with its wParam.
    std::function<void(WPARAM)> onApp;
    // Sees every message first; a result handles it.
    std::function<std::optional<LRESULT>(UINT, WPARAM, LPARAM)> onMessage;
    static constexpr const wchar_t* kClassName = L"KeyreelTestWindow";

    // Brings the window to the front with the keyboard focus in it.
    void bringToFront();

  private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    HWND edit_ = nullptr;
    std::vector<std::string> events_;
};

// Answers the next dialog or message box with this title that the test
// thread shows, from a second thread as a user would while the test thread
// is in its modal loop; gives the box's text. The future's end waits for it.
std::future<std::wstring> answerDialog(std::wstring title, std::function<void(HWND)> answer);
// Answers: the path typed into an Open or Save As dialog and OK; a button.
std::function<void(HWND)> enterFileName(const std::string& path);
std::function<void(HWND)> pressButton(int id);

}  // namespace keyreel::win32
