// The hot keys' Alt mask as the program in front and the low-level hooks
// see it: between Alt's press and release, with Keyreel's mark, and only
// then.

#include <gtest/gtest.h>

#include "test_window.h"
#include "win32/desktop/win32_desktop.h"
#include "win32/hot_key_release.h"
#include "win32/send_input.h"

namespace keyreel::win32 {
namespace {

// The key events passing the low-level hook while it lives, as "down 65" or
// "up 65", each with its dwExtraInfo. The hook reports to this thread while
// it handles messages.
class InputLog {
  public:
    struct Event {
        std::string what;
        ULONG_PTR extra;
    };

    InputLog() {
        active_ = this;
        keyboard_ = SetWindowsHookExW(WH_KEYBOARD_LL, &InputLog::keyboard, nullptr, 0);
    }
    ~InputLog() {
        UnhookWindowsHookEx(keyboard_);
        active_ = nullptr;
    }
    InputLog(const InputLog&) = delete;
    InputLog& operator=(const InputLog&) = delete;

    bool hooked() const { return keyboard_ != nullptr; }
    std::vector<Event> events;

  private:
    static LRESULT CALLBACK keyboard(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HC_ACTION && active_ != nullptr) {
            const auto* key = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
            const bool up = wParam == WM_KEYUP || wParam == WM_SYSKEYUP;
            active_->events.push_back(
                {(up ? "up " : "down ") + std::to_string(key->vkCode), key->dwExtraInfo});
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline InputLog* active_ = nullptr;
    HHOOK keyboard_ = nullptr;
};

std::string listed(const std::vector<InputLog::Event>& events) {
    std::string text;
    for (const InputLog::Event& event : events)
        text += "[" + event.what + "]";
    return text;
}

void sendKey(WORD virtualKey, bool keyUp) {
    INPUT input = keyInput(virtualKey, keyUp);
    sendInputs({&input, 1});
}

TEST(OwnInput, TheAltMaskGoesBetweenAltsPressAndReleaseOnlyWhileAltIsHeld) {
    TestWindow target("Keyreel Alt mask", TestWindow::Content::Empty);
    InputLog log;
    ASSERT_TRUE(log.hooked());
    EXPECT_FALSE(maskAltRelease()) << "Alt is not held";

    sendKey(VK_MENU, false);
    ASSERT_TRUE(probe::waitFor([] { return (GetAsyncKeyState(VK_MENU) & 0x8000) != 0; }));
    EXPECT_TRUE(maskAltRelease());
    sendKey(VK_MENU, true);
    ASSERT_TRUE(probe::waitFor([&] { return target.events().size() >= 4; }));
    probe::settle();

    ASSERT_EQ(target.events().size(), 4u);
    EXPECT_EQ(std::vector<std::string>(target.events().begin(), target.events().begin() + 3),
              (std::vector<std::string>{"syskeydown 18", "syskeydown 232", "syskeyup 232"}));
    // Wine makes the release a plain key-up once another key came between.
    EXPECT_TRUE(target.events()[3] == "syskeyup 18" || target.events()[3] == "keyup 18")
        << target.events()[3];
    ASSERT_EQ(log.events.size(), 4u) << listed(log.events);
    EXPECT_EQ(log.events[1].what, "down 232");
    EXPECT_EQ(log.events[1].extra, kOwnInputMark);
    EXPECT_EQ(log.events[2].extra, kOwnInputMark);
}

TEST(OwnInput, AProgramInNoMenuGetsNothingFromLeavingMenuMode) {
    TestWindow target("Keyreel no menu", TestWindow::Content::Empty);
    Win32Desktop desktop;
    InputLog log;
    ASSERT_TRUE(log.hooked());
    leaveMenuModeAfterAlt(desktop);
    probe::settle();
    EXPECT_TRUE(log.events.empty()) << listed(log.events);
    EXPECT_EQ(target.events(), std::vector<std::string>{});
}

}  // namespace
}  // namespace keyreel::win32
