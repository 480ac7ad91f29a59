#pragma once

// A top-level window made on a thread of its own, at a set moment, as
// another program makes its window while Keyreel waits for it. The thread
// handles the window's messages, so its title can be read from anywhere.

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

namespace keyreel::win32 {

class WindowMaker {
  public:
    struct Plan {
        // The window is made this long after the maker starts, with this title.
        int createAfterMillis = 0;
        std::wstring createdTitle;
        // When set, the title changes to `finalTitle` this long after that.
        int renameAfterMillis = -1;
        std::wstring finalTitle;
    };

    explicit WindowMaker(Plan plan);
    // Destroys the window and ends the thread.
    ~WindowMaker();
    WindowMaker(const WindowMaker&) = delete;
    WindowMaker& operator=(const WindowMaker&) = delete;

    // The performance counter once the window had its last title (made or
    // renamed); 0 until then. A wait may find it a little before.
    LONGLONG titledAt() const { return titledAt_.load(); }

  private:
    void run();

    Plan plan_;
    HANDLE stop_;
    std::atomic<LONGLONG> titledAt_{0};
    std::thread thread_;
};

// The performance counter now, and its ticks in milliseconds.
LONGLONG performanceCounter();
double counterMillis(LONGLONG ticks);

}  // namespace keyreel::win32
