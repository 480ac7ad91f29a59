// Hot-key identifiers and registrations against the real system: injected
// key presses must arrive at the window as WM_HOTKEY with our identifiers.

#include "hot_keys.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <set>
#include <utility>
#include <vector>

#include "wide_text.h"

namespace keyreel::win32 {
namespace {

// A hidden top-level window that only collects messages.
class TestWindow {
  public:
    TestWindow() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClassName;
        RegisterClassW(&windowClass);  // fails harmlessly when already registered
        handle_ = CreateWindowExW(0, kClassName, L"hot keys test", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                  100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~TestWindow() {
        if (handle_ != nullptr)
            DestroyWindow(handle_);
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND handle() const { return handle_; }

  private:
    static constexpr const wchar_t* kClassName = L"KeyreelHotKeysTest";
    HWND handle_ = nullptr;
};

// Presses (true) and releases (false) keys through the system's input queue.
void sendKeys(std::initializer_list<std::pair<WORD, bool>> keys) {
    std::vector<INPUT> inputs;
    for (const auto& [virtualKey, down] : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = virtualKey;
        input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The hot-key identifiers that reach `window`, in order, up to and including
// `lastId`. Gives up after a generous limit so that a lost message fails the
// test instead of hanging it.
std::vector<std::int32_t> hotKeysUntil(HWND window, std::int32_t lastId) {
    std::vector<std::int32_t> arrived;
    const ULONGLONG giveUpAt = GetTickCount64() + 10000;
    while (GetTickCount64() < giveUpAt) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_HOTKEY && message.hwnd == window) {
                arrived.push_back(hotKeyIdOf(message.wParam));
                if (arrived.back() == lastId)
                    return arrived;
            }
            DispatchMessageW(&message);
        }
    }
    return arrived;
}

bool runningUnderWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// True when `window` may take the combination, i.e. nobody holds it; the
// probe registration is released again at once.
bool combinationIsFree(HWND window, std::uint32_t modifiers, std::uint8_t virtualKey) {
    constexpr int kProbeId = 0x100;
    if (!RegisterHotKey(window, kProbeId, modifiers, virtualKey))
        return false;
    UnregisterHotKey(window, kProbeId);
    return true;
}

class HotKeys : public ::testing::Test {
  protected:
    void SetUp() override {
        if (window.handle() == nullptr || probe.handle() == nullptr) {
            FAIL() << "no test window could be made: these tests need an X display";
        }
        settings.alt = true;
        settings.fKeyEnabled[2] = true;  // ALT+F3
        settings.beginEnabled = true;    // CTRL+ALT+R
        settings.stopEnabled = true;     // CTRL+ALT+S
    }

    TestWindow window;
    TestWindow probe;
    HotKeySettings settings;
    const HotKeyIds ids = addHotKeyAtoms();
};

TEST(HotKeyAtoms, IdentifiersAreTheStableDistinctAtomsOfTheNames) {
    const HotKeyIds ids = addHotKeyAtoms();
    EXPECT_EQ(addHotKeyAtoms(), ids);
    EXPECT_EQ(std::set<std::int16_t>(ids.begin(), ids.end()).size(), ids.size());
    for (std::size_t slot = 0; slot < ids.size(); ++slot) {
        const std::wstring name = toWide(kHotKeySlots[slot].atomName);
        EXPECT_EQ(static_cast<ATOM>(ids[slot]), GlobalFindAtomW(name.c_str())) << slot;
        EXPECT_LT(ids[slot], 0) << "string atoms lie in 0xC000..0xFFFF";
    }
}

TEST_F(HotKeys, RegisteredCombinationsArriveWithTheirIdentifiers) {
    HotKeyRegistrations registrations(window.handle());
    registrations.registerHotKeys(planHotKeys(settings, ids));

    const std::int32_t beginId = widenHotKeyId(ids[kBeginHotKey]);
    sendKeys({{VK_CONTROL, true},
              {VK_MENU, true},
              {'R', true},
              {'R', false},
              {VK_MENU, false},
              {VK_CONTROL, false}});
    const auto begin = hotKeysUntil(window.handle(), beginId);
    ASSERT_EQ(begin, std::vector<std::int32_t>{beginId});
    EXPECT_EQ(hotKeyActions(begin.front(), ids),
              std::vector<HotKeyAction>{{HotKeyAction::Kind::playList}});

    const std::int32_t f3Id = widenHotKeyId(ids[2]);
    sendKeys({{VK_MENU, true}, {VK_F3, true}, {VK_F3, false}, {VK_MENU, false}});
    const auto f3 = hotKeysUntil(window.handle(), f3Id);
    ASSERT_EQ(f3, std::vector<std::int32_t>{f3Id});
    EXPECT_EQ(hotKeyActions(f3.front(), ids),
              (std::vector<HotKeyAction>{{HotKeyAction::Kind::playMacroFile, 2}}));
}

TEST_F(HotKeys, HeldKeysDeliverOneMessage) {
    if (runningUnderWine()) {
        GTEST_SKIP() << "Wine ignores MOD_NOREPEAT and reports every auto-repeat";
    }
    HotKeyRegistrations registrations(window.handle());
    registrations.registerHotKeys(planHotKeys(settings, ids));

    // Auto-repeat sends further key-downs without key-ups; CTRL+ALT+S after
    // them marks the end of what the repeats could have caused.
    const std::int32_t beginId = widenHotKeyId(ids[kBeginHotKey]);
    const std::int32_t stopId = widenHotKeyId(ids[kStopHotKey]);
    sendKeys({{VK_CONTROL, true},
              {VK_MENU, true},
              {'R', true},
              {'R', true},
              {'R', true},
              {'R', false},
              {'S', true},
              {'S', false},
              {VK_MENU, false},
              {VK_CONTROL, false}});
    EXPECT_EQ(hotKeysUntil(window.handle(), stopId), (std::vector<std::int32_t>{beginId, stopId}));
}

TEST_F(HotKeys, OnlyTheWantedCombinationsAreTakenAndAllAreReleased) {
    settings.stopEnabled = false;
    const auto plan = planHotKeys(settings, ids);
    const auto taken = [&](std::size_t slot) {
        return std::any_of(plan.begin(), plan.end(), [&](const auto& r) { return r.slot == slot; });
    };
    const auto modifiersOf = [&](std::size_t slot) {
        return slot < 6 ? fKeyModifier(settings) : kModifierAlt | kModifierCtrl;
    };
    {
        HotKeyRegistrations registrations(window.handle());
        registrations.registerHotKeys(plan);
        registrations.registerHotKeys(plan);  // as when the preferences are opened again
        for (std::size_t slot = 0; slot < kHotKeyCount; ++slot) {
            EXPECT_EQ(
                combinationIsFree(probe.handle(), modifiersOf(slot), kHotKeySlots[slot].virtualKey),
                !taken(slot))
                << kHotKeySlots[slot].atomName;
        }
    }
    for (std::size_t slot = 0; slot < kHotKeyCount; ++slot) {
        EXPECT_TRUE(
            combinationIsFree(probe.handle(), modifiersOf(slot), kHotKeySlots[slot].virtualKey))
            << kHotKeySlots[slot].atomName << " is released with its owner";
    }
}

}  // namespace
}  // namespace keyreel::win32
