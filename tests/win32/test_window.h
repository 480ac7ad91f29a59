#pragma once

// Real windows for the adapter tests, and the small waits the tests need to
// let them settle.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace keyreel::win32 {

// A top-level window that records the pointer and key messages it gets
// ("ldown 10,20", "ldbl 10,20", "rup 5,5", "keydown 0x11", "syskeyup 0x12",
// "close", "app 3"), optionally with an edit control filling it.
class TestWindow {
  public:
    enum class Content { Empty, Edit };

    TestWindow(const std::string& title, Content content, bool shown = true);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND handle() const { return window_; }
    bool exists() const { return IsWindow(window_) != 0; }
    // The edit control's text.
    std::string text() const;
    const std::vector<std::string>& events() const { return events_; }
    // Screen point of a point in the client area.
    POINT onScreen(int x, int y) const;
    // Runs when the window handles a WM_APP message.
    std::function<void()> onApp;

    // Brings the window to the front with the keyboard focus in it.
    void bringToFront();

  private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void record(const char* name, LPARAM point);

    HWND window_ = nullptr;
    HWND edit_ = nullptr;
    std::vector<std::string> events_;
};

// Handles this thread's messages until `done` holds; false when it still
// does not after ten seconds.
bool pumpUntil(const std::function<bool()>& done);
// Handles this thread's messages for a short while, so that input sent
// before has arrived.
void settle();

// Text of the window of another thread or program, in UTF-8.
std::string windowText(HWND window);

}  // namespace keyreel::win32
