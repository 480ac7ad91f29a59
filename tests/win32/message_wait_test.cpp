// Processing points and waits: messages are handled as they come, the waits
// block instead of spinning, and a quit request survives them.

#include <gtest/gtest.h>

#include <iostream>
#include <thread>

#include "core/macro/player.h"
#include "test_window.h"
#include "win32/desktop/win32_desktop.h"
#include "window_maker.h"

namespace keyreel::win32 {
namespace {

using Events = std::vector<std::string>;

std::int64_t millisOf(const FILETIME& time) {
    return ((static_cast<std::int64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 10000;
}

// Processor time this thread has used, in milliseconds.
std::int64_t threadCpuMillis() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    return millisOf(kernel) + millisOf(user);
}

class MessageWait : public ::testing::Test {
  protected:
    void post(WPARAM tag) { PostMessageW(window.handle(), WM_APP, tag, 0); }

    Win32Desktop desktop;
    TestWindow window{"Keyreel wait test", TestWindow::Content::Empty, false};
};

TEST_F(MessageWait, EveryProcessingPointHandlesWhatIsPendingThroughTheFilter) {
    constexpr WPARAM kSwallowed = 99;
    desktop.setMessageFilter(
        [](MSG& message) { return message.message == WM_APP && message.wParam == kSwallowed; });
    const std::vector<std::function<void()>> points{
        [&] { desktop.processPendingMessages(); },
        [&] { desktop.typingPause(); },
        [&] { desktop.doubleClickGap(); },
        [&] { desktop.pauseBeforeNextPoll(); },
        [&] { desktop.waitForMessages(desktop.localTimeMillis() - 1000); },
        [&] {
            // Due every few milliseconds; until then it returns at once.
            const std::size_t before = window.events().size();
            while (window.events().size() == before)
                desktop.processMessagesWhenDue();
        },
    };
    for (std::size_t point = 0; point < points.size(); ++point) {
        post(kSwallowed);
        post(point);
        points[point]();
        ASSERT_EQ(window.events().size(), point + 1) << "processing point " << point;
        EXPECT_EQ(window.events().back(), "app " + std::to_string(point));
    }
}

TEST_F(MessageWait, WaitsBlockWithoutSpinningAndEndWhenAMessageComes) {
    const std::int64_t cpuBefore = threadCpuMillis();
    desktop.waitForMessages(desktop.localTimeMillis() + 1000);
    for (int tick = 0; tick < 50; ++tick)
        desktop.typingPause();
    // Spinning would use the whole second and more; blocking next to nothing.
    EXPECT_LT(threadCpuMillis() - cpuBefore, 300);

    const std::int64_t deadline = desktop.localTimeMillis() + 60000;
    std::thread sender([this] {
        Sleep(200);
        post(7);
    });
    desktop.waitForMessages(deadline);
    sender.join();
    EXPECT_EQ(window.events(), (Events{"app 7"}));
    EXPECT_LT(desktop.localTimeMillis(), deadline);
}

TEST_F(MessageWait, NestedPausesEachGetTheirTick) {
    // A pause whose tick got lost would wait for ever: after ten seconds a
    // quit request ends every wait instead, and the test fails.
    const UINT_PTR watchdog =
        SetTimer(nullptr, 0, 10000, [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); });
    int nested = 0;
    window.onApp = [&] {
        ++nested;
        desktop.typingPause();
        desktop.doubleClickGap();
    };
    post(1);
    desktop.typingPause();
    post(2);
    desktop.doubleClickGap();
    KillTimer(nullptr, watchdog);
    EXPECT_EQ(nested, 2);
    EXPECT_FALSE(desktop.quitSeen()) << "a pause never ended";
}

TEST_F(MessageWait, AQuitRequestIsPostedAgainAndEndsNoWaitEarly) {
    post(1);
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

struct WindowArrival {
    const char* name;
    WindowMaker::Plan plan;
};

// The arrival while the wait is under way, as the system tells of it or
// not: Wine reports a new window but no renaming, so the last two come from
// the searches after a creation and from the slow check.
TEST_F(MessageWait, AWindowWaitFindsAWindowThatAppearsOrIsRenamedWhileItWaits) {
    const std::vector<WindowArrival> arrivals = {
        {"made with its title", {300, L"Keyreel Arrival", -1, L""}},
        {"made untitled, then titled", {300, L"", 30, L"Keyreel Arrival"}},
        {"renamed long after it was made", {0, L"Keyreel Departure", 1600, L"Keyreel Arrival"}},
    };
    for (const WindowArrival& arrival : arrivals) {
        SCOPED_TRACE(arrival.name);
        MacroList list{"WaitForWindow >keyreel arrival"};
        RunState state;
        Player player(list, state, desktop);
        // A window that is never found would keep the wait going: a stop
        // after ten seconds ends it, and the test fails.
        window.onApp = [&] { state.stopRequested = true; };
        const HANDLE found = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        std::thread watchdog([&] {
            if (WaitForSingleObject(found, 10000) == WAIT_TIMEOUT)
                post(0);
        });
        LONGLONG foundAt = 0;
        LONGLONG titledAt = 0;
        {
            WindowMaker maker(arrival.plan);
            player.runMacro();
            foundAt = performanceCounter();
            titledAt = maker.titledAt();
            SetEvent(found);
            watchdog.join();
        }
        CloseHandle(found);
        EXPECT_FALSE(state.stopRequested) << "never found";
        EXPECT_EQ(state.focusTitle, "Keyreel Arrival");
        std::cout << "[ latency  ] " << arrival.name << ": found "
                  << counterMillis(foundAt - titledAt) << " ms after it had its title\n";
    }
}

}  // namespace
}  // namespace keyreel::win32
