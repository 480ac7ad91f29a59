#pragma once

// A real window for the adapter tests, and the waits that let it settle.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace keyreel::win32 {

// Text of a window of this process, of any thread, in UTF-8.
std::string windowText(HWND window);

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
    std::string text() const { return windowText(edit_); }
    const std::vector<std::string>& events() const { return events_; }
    // Runs when the window handles a WM_APP message.
    std::function<void()> onApp;

    // Brings the window to the front with the keyboard focus in it.
    void bringToFront();

  private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    HWND edit_ = nullptr;
    std::vector<std::string> events_;
};

// Text of a window, as it is.
std::wstring wideText(HWND window);
// The child with exactly this text, or of this class ("ListBox"); null for
// none.
HWND childWithText(HWND parent, const wchar_t* text);
HWND childOfClass(HWND parent, const wchar_t* className);
// Clicks the child button with this text, as its BN_CLICKED does.
bool clickButton(HWND parent, const wchar_t* text);
// The captions of a menu's items in order, "" for a separator.
std::vector<std::wstring> menuCaptions(HMENU menu);

// Real input through the system's queue, with this thread's messages
// handled until it arrived: clicks (two for a double click) on a point of
// the screen or the middle of a window, a key pressed and let go, text typed.
void clickAt(POINT screen, int times = 1);
void clickOn(HWND window, int times = 1);
void pressKey(WORD virtualKey);
void typeText(const std::wstring& text);

// Handles this thread's messages until `done` holds; false when it still
// does not after ten seconds.
bool pumpUntil(const std::function<bool()>& done);
// Handles this thread's messages for a short while, so that input sent
// before has arrived.
void settle();

}  // namespace keyreel::win32
