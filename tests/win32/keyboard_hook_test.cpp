// The recorder's keyboard hook under real X key presses: what it reports,
// what it leaves out, and that it goes away with its owner.

#include "win32/keyboard_hook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "test_window.h"
#include "win32/desktop/win32_desktop.h"
#include "win32/owned.h"
#include "win32/send_input.h"
#include "window_probe.h"

namespace keyreel::win32 {
namespace {

using Events = std::vector<std::string>;

// A window that owns a keyboard hook and logs its events as "down 65 1" or
// "up 16 0", and buttons as "press 2 at 10,20" or "release 1 at 10,20".
class HookOwner : public KeyboardHookListener {
  public:
    HookOwner() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &HookOwner::windowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"KeyreelHookOwner";
        RegisterClassW(&windowClass);  // fails harmlessly once registered
        window_.reset(CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0,
                                      HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), this));
        hook.emplace(window_.get(), *this);
    }

    void keyDown(std::uint8_t keyCode, int shift) override { log("down", keyCode, shift); }
    void keyUp(std::uint8_t keyCode, int shift) override { log("up", keyCode, shift); }
    void buttonEvent(const ButtonEvent& event) override {
        events.push_back(std::string(event.down ? "press " : "release ") +
                         std::to_string(event.button) + " at " + std::to_string(event.point.x) +
                         "," + std::to_string(event.point.y));
    }
    HWND window() const { return window_.get(); }
    void destroyWindow() { window_.reset(); }
    bool saw(const std::string& event) const {
        return std::find(events.begin(), events.end(), event) != events.end();
    }

    std::optional<KeyboardHook> hook;
    Events events;
    // Registered messages that arrived after the hook was gone.
    int strayMessages = 0;

  private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<HookOwner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self != nullptr && self->hook && self->hook->handle(message))
            return 0;
        if (self != nullptr && !self->hook && message >= 0xC000 && message <= 0xFFFF)
            ++self->strayMessages;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    void log(const char* what, std::uint8_t keyCode, int shift) {
        events.push_back(std::string(what) + " " + std::to_string(keyCode) + " " +
                         std::to_string(shift));
    }

    OwnedWindow window_;
};

std::string listed(const Events& events) {
    std::string text;
    for (const std::string& event : events)
        text += "[" + event + "]";
    return text;
}

// X delivers keys to Wine only while a Wine window has the focus, so every
// test types into a window of its own. The witness is a second hook: once it
// has seen a key, the owner's hook has seen every key before it.
class KeyboardHookTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(owner.hook->beginHook());
        ASSERT_TRUE(witness.hook->beginHook());
    }

    // Runs xdotool with these commands, then presses F9, which nothing here
    // reports otherwise, from the same shell: Wine's start.exe does not wait
    // for a Unix program, so only one run keeps the keys in order. Returns
    // once the witness has seen the F9 and everything before it has been
    // handled; the F9 itself is taken out of the owner's events.
    bool press(const std::wstring& commands) {
        const std::size_t before = witness.events.size();
        const std::wstring first = commands.empty() ? L"" : L"xdotool " + commands + L"; ";
        if (!probe::runUnixProgram(L"/bin/sh -c \"" + first + L"xdotool key F9\""))
            return false;
        const bool seen = probe::waitFor([&] {
            return std::any_of(witness.events.begin() + static_cast<std::ptrdiff_t>(before),
                               witness.events.end(),
                               [](const std::string& e) { return e.starts_with("up 120 "); });
        });
        std::erase_if(owner.events, [](const std::string& e) {
            return e.starts_with("down 120 ") || e.starts_with("up 120 ");
        });
        return seen;
    }

    TestWindow target{"Keyreel hook test", TestWindow::Content::Edit};
    HookOwner owner;
    HookOwner witness;
};

TEST_F(KeyboardHookTest, ReportsKeysWithTheModifiersOfTheirOwnMoment) {
    struct Case {
        const wchar_t* keys;
        Events events;
    };
    const Case cases[] = {
        {L"key a b", {"down 65 0", "up 65 0", "down 66 0", "up 66 0"}},
        // Shift is reported with the mask after its own change.
        {L"keydown shift key a keyup shift", {"down 16 1", "down 65 1", "up 65 1", "up 16 0"}},
        {L"keydown ctrl keydown alt keyup alt keyup ctrl",
         {"down 17 2", "down 18 6", "up 18 2", "up 17 0"}},
        // Left and right apart: one side let go while the other is held.
        {L"keydown Shift_L keydown Shift_R keyup Shift_L key F1 keyup Shift_R",
         {"down 16 1", "down 16 1", "up 16 1", "down 112 1", "up 112 1", "up 16 0"}},
    };
    for (const Case& c : cases) {
        owner.events.clear();
        ASSERT_TRUE(press(c.keys));
        EXPECT_EQ(owner.events, c.events) << listed(owner.events);
    }
}

TEST_F(KeyboardHookTest, ModifiersHeldWhenTheHookBeginsCount) {
    owner.hook->endHook();
    ASSERT_TRUE(press(L"keydown Shift_L"));
    ASSERT_TRUE(owner.hook->beginHook());
    ASSERT_TRUE(press(L"key a keyup Shift_L"));
    EXPECT_EQ(owner.events, (Events{"down 65 1", "up 65 1", "up 16 0"}));
}

TEST_F(KeyboardHookTest, AHeldKeyReportsEveryRepeat) {
    ASSERT_TRUE(press(L"keydown x sleep 1.5 keyup x"));  // repeats from 660 ms
    ASSERT_GE(owner.events.size(), 4u) << listed(owner.events);
    EXPECT_EQ(owner.events.back(), "up 88 0");
    owner.events.pop_back();
    for (const std::string& event : owner.events)
        EXPECT_EQ(event, "down 88 0");
}

TEST_F(KeyboardHookTest, FastTypingLosesNothingAndKeepsTheOrder) {
    const std::string typed = "the quick brown fox jumps over the lazy dog 0123456789";
    ASSERT_TRUE(press(L"type --delay 0 '" + std::wstring(typed.begin(), typed.end()) + L"'"));
    Events downs;
    Events expected;
    int ups = 0;
    for (const std::string& event : owner.events) {
        if (event.starts_with("down"))
            downs.push_back(event);
        else
            ++ups;
    }
    for (const char c : typed) {
        const int code = c == ' ' ? VK_SPACE : std::toupper(static_cast<unsigned char>(c));
        expected.push_back("down " + std::to_string(code) + " 0");
    }
    EXPECT_EQ(downs, expected);
    EXPECT_EQ(ups, static_cast<int>(typed.size()));
    EXPECT_EQ(target.text(), typed);
}

TEST_F(KeyboardHookTest, KeyreelsOwnInputIsLeftOutAndOtherProgramsInputIsNot) {
    Win32Desktop desktop;
    INPUT foreign[] = {keyInput('Q', false), keyInput('Q', true), keyInput(VK_CONTROL, false),
                       keyInput(VK_CONTROL, true)};
    for (INPUT& input : foreign)
        input.ki.dwExtraInfo = 0;  // as any other program sends it
    INPUT foreignClick[] = {mouseInput(MOUSEEVENTF_LEFTDOWN), mouseInput(MOUSEEVENTF_LEFTUP)};
    for (INPUT& input : foreignClick)
        input.mi.dwExtraInfo = 0;
    // Keyreel's own Shift stays out of the mask of the foreign key as well.
    ASSERT_TRUE(desktop.keyEvent(VK_SHIFT, false));
    ASSERT_TRUE(desktop.typeCharacter(U'k'));
    ASSERT_TRUE(sendInputs(std::span(foreign).first(2)));
    ASSERT_TRUE(desktop.keyEvent(VK_SHIFT, true));
    ASSERT_TRUE(sendInputs(std::span(foreign).last(2)));
    // Clicks into the test's text.
    RECT area{};
    GetWindowRect(target.handle(), &area);
    const POINT at{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    ASSERT_TRUE(desktop.moveCursor(at.x, at.y));
    ASSERT_TRUE(desktop.mouseButton(MOUSEEVENTF_LEFTDOWN));
    ASSERT_TRUE(desktop.mouseButton(MOUSEEVENTF_LEFTUP));
    ASSERT_TRUE(sendInputs(foreignClick));
    ASSERT_TRUE(press(L""));
    // Injected generic codes arrive as such.
    const std::string point = std::to_string(at.x) + "," + std::to_string(at.y);
    EXPECT_EQ(owner.events, (Events{"down 81 0", "up 81 0", "down 17 2", "up 17 0",
                                    "press 1 at " + point, "release 1 at " + point}))
        << listed(owner.events);
}

// Any program on the desktop can post the hook's registered message to the
// owner window, with whatever parameters it likes.
TEST_F(KeyboardHookTest, KeyEventsPostedToTheOwnerAreNotReported) {
    const UINT message = RegisterWindowMessageW(L"Keyreel keyboard hook event");
    // A key down and up, 65 with Ctrl, in every way a key event could be told.
    for (const WPARAM key : {WPARAM{0xA41}, WPARAM{0x241}}) {
        for (const LPARAM stamp : {LPARAM{0}, LPARAM{1}, LPARAM{2}})
            ASSERT_TRUE(PostMessageW(owner.window(), message, key, stamp));
    }
    ASSERT_TRUE(press(L"key b"));
    EXPECT_EQ(owner.events, (Events{"down 66 0", "up 66 0"})) << listed(owner.events);
}

TEST_F(KeyboardHookTest, EndHookAndTheHooksEndStopTheReports) {
    owner.hook->endHook();
    owner.hook->endHook();  // twice: harmless
    EXPECT_FALSE(owner.hook->active());
    ASSERT_TRUE(press(L"key a"));
    EXPECT_TRUE(owner.events.empty()) << listed(owner.events);

    ASSERT_TRUE(owner.hook->beginHook());
    owner.hook.reset();
    ASSERT_TRUE(press(L"key c"));
    EXPECT_TRUE(owner.events.empty());
    EXPECT_EQ(owner.strayMessages, 0) << "the destroyed hook posted nothing";
}

TEST_F(KeyboardHookTest, EventsNotHandledWhenTheHookEndsAreDropped) {
    ASSERT_TRUE(probe::runUnixProgram(L"/usr/bin/xdotool key b"));
    // Only the witness's messages are handled; the owner's stay queued.
    const ULONGLONG giveUp = GetTickCount64() + 10000;
    while (!witness.saw("up 66 0") && GetTickCount64() < giveUp) {
        MsgWaitForMultipleObjectsEx(0, nullptr, 10, QS_ALLINPUT, 0);
        MSG message;
        while (PeekMessageW(&message, witness.window(), 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    ASSERT_TRUE(witness.saw("up 66 0"));
    owner.hook->endHook();
    ASSERT_TRUE(press(L""));
    EXPECT_TRUE(owner.events.empty()) << listed(owner.events);
}

TEST_F(KeyboardHookTest, BeginHookTwiceLeavesOneHook) {
    ASSERT_TRUE(owner.hook->beginHook());
    ASSERT_TRUE(owner.hook->beginHook());
    ASSERT_TRUE(press(L"key a"));
    EXPECT_EQ(owner.events, (Events{"down 65 0", "up 65 0"}));

    owner.hook->endHook();
    owner.events.clear();
    ASSERT_TRUE(press(L"key a"));
    EXPECT_TRUE(owner.events.empty()) << listed(owner.events);
}

TEST_F(KeyboardHookTest, TheHookRemovesItselfWhenItsOwnerWindowIsGone) {
    owner.destroyWindow();
    ASSERT_TRUE(press(L"key a"));
    EXPECT_TRUE(probe::waitFor([&] { return !owner.hook->active(); }));
    EXPECT_TRUE(owner.events.empty());
    owner.hook->endHook();
}

TEST(KeyboardHookLifetime, EndingAHookThatNeverBeganIsHarmless) {
    HookOwner owner;
    EXPECT_FALSE(owner.hook->active());
    owner.hook->endHook();
    owner.hook.reset();
}

}  // namespace
}  // namespace keyreel::win32
