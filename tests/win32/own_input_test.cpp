// Keyreel's own input as the system's low-level hooks see it: every event it
// injects carries its mark, which the recorder's hook skips, and the hot
// keys' Alt mask reaches the program in front between Alt's press and
// release, and only then.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "test_window.h"
#include "win32/desktop/win32_desktop.h"
#include "win32/hot_key_release.h"
#include "win32/send_input.h"

namespace keyreel::win32 {
namespace {

// The key and pointer-button events passing the low-level hooks while it
// lives, as "down 65" or "up 65" (virtual keys) and "button 519" (pointer
// messages), each with its dwExtraInfo. The hooks report to this thread
// while it handles messages.
class InputLog {
  public:
    struct Event {
        std::string what;
        ULONG_PTR extra;
    };

    InputLog() {
        active_ = this;
        keyboard_ = SetWindowsHookExW(WH_KEYBOARD_LL, &InputLog::keyboard, nullptr, 0);
        mouse_ = SetWindowsHookExW(WH_MOUSE_LL, &InputLog::mouse, nullptr, 0);
    }
    ~InputLog() {
        UnhookWindowsHookEx(keyboard_);
        UnhookWindowsHookEx(mouse_);
        active_ = nullptr;
    }
    InputLog(const InputLog&) = delete;
    InputLog& operator=(const InputLog&) = delete;

    bool hooked() const { return keyboard_ != nullptr && mouse_ != nullptr; }
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
    static LRESULT CALLBACK mouse(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HC_ACTION && active_ != nullptr && wParam != WM_MOUSEMOVE) {
            const auto* pointer = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
            active_->events.push_back({"button " + std::to_string(wParam), pointer->dwExtraInfo});
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline InputLog* active_ = nullptr;
    HHOOK keyboard_ = nullptr;
    HHOOK mouse_ = nullptr;
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

TEST(OwnInput, EveryEventThePlayerInjectsCarriesTheMark) {
    TestWindow target("Keyreel own input", TestWindow::Content::Edit);
    Win32Desktop desktop;
    InputLog log;
    ASSERT_TRUE(log.hooked());
    RECT frame{};
    GetWindowRect(target.handle(), &frame);
    desktop.moveCursor((frame.left + frame.right) / 2, (frame.top + frame.bottom) / 2);

    desktop.typeCharacter(U'a');       // a key of the layout
    desktop.typeCharacter(U'\u20AC');  // outside it: a Unicode character
    desktop.keyEvent(VK_F5, false);
    desktop.keyEvent(VK_F5, true);
    desktop.mouseButton(MOUSEEVENTF_MIDDLEDOWN);
    desktop.mouseButton(MOUSEEVENTF_MIDDLEUP);
    ASSERT_TRUE(probe::waitFor([&] { return log.events.size() >= 8; }));
    probe::settle();

    EXPECT_EQ(log.events.size(), 8u) << listed(log.events);
    for (const InputLog::Event& event : log.events)
        EXPECT_EQ(event.extra, kOwnInputMark) << event.what;
    EXPECT_EQ(target.text(), "a\u20AC");
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
