// Processing points and waits on a real message queue.

#include <gtest/gtest.h>

#include <bit>
#include <thread>

#include "core/macro/player.h"
#include "test_window.h"
#include "win32/desktop/win32_desktop.h"
#include "win32/owned.h"

namespace keyreel::win32 {
namespace {

using Events = std::vector<std::string>;

std::int64_t threadCpuMillis() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    const auto millis = [](FILETIME t) { return std::bit_cast<std::int64_t>(t) / 10000; };
    return millis(kernel) + millis(user);
}

class MessageWait : public ::testing::Test {
  protected:
    void post(WPARAM tag) { PostMessageW(window.handle(), WM_APP, tag, 0); }

    Win32Desktop desktop;
    TestWindow window{"Keyreel wait test", TestWindow::Content::Empty, false};
};

TEST_F(MessageWait, EveryProcessingPointHandlesWhatIsPendingThroughTheFilterButAQuit) {
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
            for (const std::size_t before = window.events().size();
                 window.events().size() == before;)
                desktop.processMessagesWhenDue();
        }};
    for (std::size_t point = 0; point < points.size(); ++point) {
        post(kSwallowed);
        post(point);
        points[point]();
        ASSERT_EQ(window.events().size(), point + 1) << "processing point " << point;
        EXPECT_EQ(window.events().back(), "app " + std::to_string(point));
    }

    // A quit request is posted again and ends no wait early.
    post(1);
    PostQuitMessage(7);
    desktop.processPendingMessages();
    EXPECT_TRUE(desktop.quitSeen());
    EXPECT_EQ(window.events().back(), "app 1");

    const std::int64_t deadline = desktop.localTimeMillis() + 300;
    desktop.waitForMessages(deadline);
    EXPECT_GE(desktop.localTimeMillis(), deadline);
    desktop.typingPause();

    MSG message;
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(std::make_pair(message.message, message.wParam),
              std::make_pair(UINT{WM_QUIT}, WPARAM{7}));
}

TEST_F(MessageWait, WaitsBlockWithoutSpinningEndWhenAMessageComesAndNestEachWithItsTick) {
    const std::int64_t cpuBefore = threadCpuMillis();
    desktop.waitForMessages(desktop.localTimeMillis() + 1000);
    for (int tick = 0; tick < 50; ++tick)
        desktop.typingPause();
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

    // A pause whose tick got lost would wait for ever: the watchdog's quit ends it.
    const UINT_PTR watchdog =
        SetTimer(nullptr, 0, 10000, [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); });
    int nested = 0;
    window.onApp = [&](WPARAM) {
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

// Made, then renamed, at these moments: Wine reports no renaming, so the
// last two come from the searches after a creation and the slow check.
TEST_F(MessageWait, AWindowWaitFindsAWindowThatAppearsOrIsRenamedWhileItWaits) {
    using Steps = std::vector<std::pair<DWORD, const wchar_t*>>;
    for (const Steps& steps :
         {Steps{{300, L"Keyreel Arrival"}}, Steps{{300, L""}, {30, L"Keyreel Arrival"}},
          Steps{{0, L"Keyreel Departure"}, {1600, L"Keyreel Arrival"}}}) {
        MacroList list{"WaitForWindow >keyreel arrival"};
        RunState state;
        OwnedWindow made;
        window.onApp = [&](WPARAM step) {
            if (step == steps.size())
                state.stopRequested = true;
            else if (!made)
                made.reset(CreateWindowExW(0, L"STATIC", steps[step].second, WS_OVERLAPPEDWINDOW, 0,
                                           0, 200, 100, nullptr, nullptr, nullptr, nullptr));
            else
                SetWindowTextW(made.get(), steps[step].second);
        };
        const OwnedHandle found(CreateEventW(nullptr, TRUE, FALSE, nullptr));
        std::thread schedule([&] {
            for (std::size_t step = 0; step < steps.size(); ++step) {
                Sleep(steps[step].first);
                post(step);
            }
            if (WaitForSingleObject(found.get(), 10000) == WAIT_TIMEOUT)
                post(steps.size());
        });
        Player(list, state, desktop).runMacro();
        SetEvent(found.get());
        schedule.join();
        EXPECT_FALSE(state.stopRequested) << "never found";
        EXPECT_EQ(state.focusTitle, "Keyreel Arrival");
    }
}

}  // namespace
}  // namespace keyreel::win32
