// Processing points and waits: messages are handled as they come, the waits
// block instead of spinning, and a quit request survives them.

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <thread>

#include "player.h"
#include "test_window.h"
#include "win32_desktop.h"

namespace keyreel::win32 {
namespace {

using Events = std::vector<std::string>;

// Processor time this thread has used, in milliseconds.
std::int64_t threadCpuMillis() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto millis = [](const FILETIME& time) {
        return ((static_cast<std::int64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime) /
               10000;
    };
    return millis(kernel) + millis(user);
}

// Posts WM_APP to the window from another thread after a short while.
std::thread postLater(HWND window, WPARAM tag) {
    return std::thread([window, tag] {
        Sleep(200);
        PostMessageW(window, WM_APP, tag, 0);
    });
}

class MessageWait : public ::testing::Test {
  protected:
    Win32Desktop desktop;
    TestWindow window{"Keyreel wait test", TestWindow::Content::Empty, false};
};

TEST_F(MessageWait, ProcessingPointsHandleWhatIsPending) {
    PostMessageW(window.handle(), WM_APP, 1, 0);
    desktop.processPendingMessages();
    PostMessageW(window.handle(), WM_APP, 2, 0);
    desktop.typingPause();
    PostMessageW(window.handle(), WM_APP, 3, 0);
    desktop.doubleClickGap();
    PostMessageW(window.handle(), WM_APP, 4, 0);
    desktop.pauseBeforeNextPoll();
    PostMessageW(window.handle(), WM_APP, 5, 0);
    desktop.waitForMessages(desktop.localTimeMillis() - 1000);
    EXPECT_EQ(window.events(), (Events{"app 1", "app 2", "app 3", "app 4", "app 5"}));
}

TEST_F(MessageWait, AMessageEndsTheWaitLongBeforeItsDeadline) {
    const std::int64_t deadline = desktop.localTimeMillis() + 60000;
    std::thread sender = postLater(window.handle(), 7);
    desktop.waitForMessages(deadline);
    sender.join();
    EXPECT_EQ(window.events(), (Events{"app 7"}));
    EXPECT_LT(desktop.localTimeMillis(), deadline);
}

TEST_F(MessageWait, WaitsBlockInsteadOfSpinning) {
    const std::int64_t cpuBefore = threadCpuMillis();
    desktop.waitForMessages(desktop.localTimeMillis() + 1000);
    for (int tick = 0; tick < 50; ++tick)
        desktop.typingPause();
    // Spinning would use the whole second and more; blocking next to nothing.
    EXPECT_LT(threadCpuMillis() - cpuBefore, 300);
}

TEST_F(MessageWait, NestedPausesEachGetTheirTick) {
    // A pause whose tick got lost would wait for ever: after ten seconds a
    // quit request ends every wait instead, and the test fails.
    const DWORD testThread = GetCurrentThreadId();
    std::atomic<bool> finished{false};
    std::thread watchdog([&] {
        for (int i = 0; i < 1000 && !finished; ++i)
            Sleep(10);
        if (!finished)
            PostThreadMessageW(testThread, WM_QUIT, 0, 0);
    });
    int nested = 0;
    window.onApp = [&] {
        ++nested;
        desktop.typingPause();
        desktop.doubleClickGap();
    };
    PostMessageW(window.handle(), WM_APP, 1, 0);
    desktop.typingPause();
    PostMessageW(window.handle(), WM_APP, 2, 0);
    desktop.doubleClickGap();
    finished = true;
    watchdog.join();
    EXPECT_EQ(nested, 2);
    EXPECT_FALSE(desktop.quitSeen()) << "a pause never ended";
}

TEST_F(MessageWait, WaitForWindowNoticesAWindowThatAppearsLater) {
    std::thread opener([] {
        Sleep(300);
        const TestWindow late("Keyreel late window", TestWindow::Content::Empty);
        pumpUntil([] { return FindWindowW(nullptr, L"Keyreel late window") == nullptr; });
    });
    MacroList lines{"WaitForWindow >LATE WINDOW"};
    RunState state;
    state.macroLineCount = 1;
    Player(lines, state, desktop).runMacro();
    EXPECT_EQ(state.focusTitle, "Keyreel late window");
    desktop.closeWindow("Keyreel late window");
    opener.join();
}

TEST_F(MessageWait, AQuitRequestIsPostedAgainAndEndsNoWaitEarly) {
    PostMessageW(window.handle(), WM_APP, 1, 0);
    PostQuitMessage(7);
    desktop.processPendingMessages();
    EXPECT_TRUE(desktop.quitSeen());
    EXPECT_EQ(window.events(), (Events{"app 1"}));

    const std::int64_t deadline = desktop.localTimeMillis() + 300;
    desktop.waitForMessages(deadline);
    EXPECT_GE(desktop.localTimeMillis(), deadline);
    desktop.typingPause();

    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 7u);
}

TEST_F(MessageWait, TheMessageFilterSeesMessagesFirst) {
    desktop.setMessageFilter([](MSG& message) { return message.wParam == 2; });
    PostMessageW(window.handle(), WM_APP, 1, 0);
    PostMessageW(window.handle(), WM_APP, 2, 0);
    PostMessageW(window.handle(), WM_APP, 3, 0);
    desktop.processPendingMessages();
    EXPECT_EQ(window.events(), (Events{"app 1", "app 3"}));
}

TEST_F(MessageWait, LocalTimeIsTheWallClockInTheLocalZone) {
    FILETIME utc;
    GetSystemTimeAsFileTime(&utc);
    const std::int64_t utcMillis =
        ((static_cast<std::int64_t>(utc.dwHighDateTime) << 32) | utc.dwLowDateTime) / 10000 -
        11644473600000LL;
    const std::int64_t offset = desktop.localTimeMillis() - utcMillis;
    // Zones are whole quarter hours from UTC, and at most 14 hours away.
    const std::int64_t quarter = 15 * 60 * 1000;
    const std::int64_t rounded =
        std::llround(static_cast<double>(offset) / static_cast<double>(quarter)) * quarter;
    EXPECT_LT(std::llabs(offset - rounded), 1000);
    EXPECT_LE(std::llabs(rounded), 14 * 60 * 60 * 1000LL);
}

}  // namespace
}  // namespace keyreel::win32
