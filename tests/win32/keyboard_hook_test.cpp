// The recorder's keyboard hook under real X key presses.

#include "win32/keyboard_hook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "test_window.h"
#include "win32/desktop/win32_desktop.h"
#include "win32/hot_key_release.h"
#include "win32/send_input.h"

namespace keyreel::win32 {
namespace {

using Events = std::vector<std::string>;

// Input as another program sends it, without Keyreel's mark.
bool sendForeign(std::vector<INPUT> inputs) {
    for (INPUT& input : inputs)
        (input.type == INPUT_KEYBOARD ? input.ki.dwExtraInfo : input.mi.dwExtraInfo) = 0;
    return sendInputs(inputs);
}

// Owns a hook and logs "down 65 1", "up 16 0", "press 1 at 10,20"...
class HookOwner : public KeyboardHookListener {
  public:
    HookOwner() {
        window.onMessage = [this](UINT message, WPARAM, LPARAM) -> std::optional<LRESULT> {
            return hook && hook->handle(message) ? std::optional<LRESULT>(0) : std::nullopt;
        };
        hook.emplace(window.handle(), *this);
    }
    void keyDown(std::uint8_t key, int shift) override { log("down", key, shift); }
    void keyUp(std::uint8_t key, int shift) override { log("up", key, shift); }
    void buttonEvent(const ButtonEvent& event) override {
        events.push_back(std::string(event.down ? "press " : "release ") +
                         std::to_string(event.button) + " at " + std::to_string(event.point.x) +
                         "," + std::to_string(event.point.y));
    }

    TestWindow window{"", TestWindow::Content::Empty, false};
    std::optional<KeyboardHook> hook;
    Events events;

  private:
    void log(const char* what, std::uint8_t key, int shift) {
        events.push_back(std::string(what) + " " + std::to_string(key) + " " +
                         std::to_string(shift));
    }
};

// X gives Wine keys only while a Wine window has the focus: each test types into its own.
// Once the witness hook has seen a key, the owner's has seen every key before it.
class KeyboardHookTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(owner.hook->beginHook());
        ASSERT_TRUE(witness.hook->beginHook());
    }

    // xdotool, then F9 from the same shell (start.exe does not wait for a Unix program);
    // returns once the witness has the F9, which the owner's events leave out.
    bool press(const std::wstring& commands) {
        witness.events.clear();
        const std::wstring first = commands.empty() ? L"" : L"xdotool " + commands + L"; ";
        if (!probe::runUnixProgram(L"/bin/sh -c \"" + first + L"xdotool key F9\""))
            return false;
        const bool seen = probe::waitFor([&] {
            return !witness.events.empty() && witness.events.back().starts_with("up 120 ");
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
    const std::pair<const wchar_t*, Events> cases[] = {
        // Shift is reported with the mask after its own change.
        {L"keydown shift key a keyup shift", {"down 16 1", "down 65 1", "up 65 1", "up 16 0"}},
        // Left and right apart: one side let go while the other is held.
        {L"keydown Shift_L keydown Shift_R keyup Shift_L key F1 keyup Shift_R",
         {"down 16 1", "down 16 1", "up 16 1", "down 112 1", "up 112 1", "up 16 0"}},
    };
    for (const auto& [keys, expected] : cases) {
        owner.events.clear();
        ASSERT_TRUE(press(keys));
        EXPECT_EQ(owner.events, expected);
    }
}

TEST_F(KeyboardHookTest, KeyreelsOwnInputIsLeftOutAndOtherProgramsInputIsNot) {
    Win32Desktop desktop;
    // Keyreel's own Shift stays out of the mask of the foreign key as well.
    ASSERT_TRUE(desktop.keyEvent(VK_SHIFT, false));
    ASSERT_TRUE(desktop.typeCharacter(U'k'));
    ASSERT_TRUE(desktop.typeCharacter(U'\u20AC'));  // outside the layout
    ASSERT_TRUE(sendForeign({keyInput('Q', false), keyInput('Q', true)}));
    ASSERT_TRUE(desktop.keyEvent(VK_SHIFT, true));
    ASSERT_TRUE(sendForeign({keyInput(VK_CONTROL, false), keyInput(VK_CONTROL, true)}));
    RECT area{};
    GetWindowRect(target.handle(), &area);
    const POINT at{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    ASSERT_TRUE(desktop.moveCursor(at.x, at.y));
    ASSERT_TRUE(desktop.mouseButton(MOUSEEVENTF_LEFTDOWN));
    ASSERT_TRUE(desktop.mouseButton(MOUSEEVENTF_LEFTUP));
    ASSERT_TRUE(sendForeign({mouseInput(MOUSEEVENTF_LEFTDOWN), mouseInput(MOUSEEVENTF_LEFTUP)}));
    // Any program can post the hook's own message to the owner: not a key.
    const UINT message = RegisterWindowMessageW(L"Keyreel keyboard hook event");
    for (const LPARAM stamp : {LPARAM{0}, LPARAM{1}, LPARAM{2}})
        ASSERT_TRUE(PostMessageW(owner.window.handle(), message, 0xA41, stamp));
    ASSERT_TRUE(press(L""));
    const std::string point = std::to_string(at.x) + "," + std::to_string(at.y);
    EXPECT_EQ(owner.events, (Events{"down 81 0", "up 81 0", "down 17 2", "up 17 0",
                                    "press 1 at " + point, "release 1 at " + point}));
}

// Leaving menu mode after Alt sends nothing to a program in no menu.
TEST_F(KeyboardHookTest, TheAltMaskGoesBetweenAltsPressAndReleaseOnlyWhileAltIsHeld) {
    TestWindow front("Keyreel Alt mask", TestWindow::Content::Empty);
    Win32Desktop desktop;
    leaveMenuModeAfterAlt(desktop);
    EXPECT_FALSE(maskAltRelease()) << "Alt is not held";
    ASSERT_TRUE(sendForeign({keyInput(VK_MENU, false)}));
    ASSERT_TRUE(probe::waitFor([] { return (GetAsyncKeyState(VK_MENU) & 0x8000) != 0; }));
    EXPECT_TRUE(maskAltRelease());
    ASSERT_TRUE(sendForeign({keyInput(VK_MENU, true)}));
    ASSERT_TRUE(probe::waitFor([&] { return front.events().size() >= 4; }));
    const Events arrived(front.events().begin(), front.events().begin() + 4);
    ASSERT_TRUE(press(L""));
    EXPECT_EQ(Events(arrived.begin(), arrived.begin() + 3),
              (Events{"syskeydown 18", "syskeydown 232", "syskeyup 232"}));
    // Wine makes the release a plain key-up once another key came between.
    EXPECT_TRUE(arrived[3] == "syskeyup 18" || arrived[3] == "keyup 18") << arrived[3];
    EXPECT_EQ(owner.events, (Events{"down 18 4", "up 18 0"}));
}

TEST_F(KeyboardHookTest, BeginAndEndTakeEffectOnceAndTheHookEndsWithItsOwnerWindow) {
    owner.hook->endHook();
    owner.hook->endHook();
    ASSERT_TRUE(press(L"keydown Shift_L"));
    // A modifier held when the hook begins counts.
    ASSERT_TRUE(owner.hook->beginHook());
    ASSERT_TRUE(owner.hook->beginHook());  // twice: one hook
    ASSERT_TRUE(press(L"key a keyup Shift_L"));
    EXPECT_EQ(owner.events, (Events{"down 65 1", "up 65 1", "up 16 0"}));

    owner.events.clear();
    DestroyWindow(owner.window.handle());
    ASSERT_TRUE(press(L"key a"));
    EXPECT_TRUE(probe::waitFor([&] { return !owner.hook->active(); }));
    EXPECT_TRUE(owner.events.empty());
    HookOwner never;  // ending a hook that never began is harmless
}

}  // namespace
}  // namespace keyreel::win32
