#pragma once

// Answers the message boxes of this process from a second thread, as a user
// would, while the test's own thread is inside the box's modal loop.

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace keyreel::win32 {

struct SeenBox {
    std::string text;
    HWND owner = nullptr;
    bool foreground = false;
    // The control id of the button that has the keyboard focus.
    int focusedButton = 0;
};

class BoxAnswerer {
  public:
    // Answers every box with this title by clicking `button` (IDOK, IDYES,
    // IDNO); `beforeAnswer` runs in the answering thread first.
    BoxAnswerer(std::string title, int button, std::function<void(HWND)> beforeAnswer = {});
    ~BoxAnswerer();
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;

    std::vector<SeenBox> seen() const;

  private:
    void answerBoxes();

    std::wstring title_;
    int button_;
    std::function<void(HWND)> beforeAnswer_;
    mutable std::mutex mutex_;
    std::vector<SeenBox> seen_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace keyreel::win32
