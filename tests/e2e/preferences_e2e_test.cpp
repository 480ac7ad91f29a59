// The preferences window: loaded hidden, modal from the menu, modeless from the tray; OK acts.

#include "e2e_support.h"

#include <commctrl.h>  // after windows.h, which it needs

namespace keyreel::e2e {
namespace {

class PreferencesE2E : public KeyreelTest {
  protected:
    HWND onlyPreferencesWindow() {
        const auto windows = windowsOfClass(L"KeyreelPreferencesWindow", true);
        return windows.size() == 1 ? windows.front() : nullptr;
    }
    bool checked(const wchar_t* caption) const {
        return SendMessageW(findChild(prefs, L"Button", caption), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    // The seconds box (0), then the path boxes of F1 .. F6.
    std::wstring editText(std::size_t index) const {
        const std::vector<HWND> edits = childrenOfClass(prefs, L"Edit");
        return index < edits.size() ? windowText(edits[index]) : L"(none)";
    }
    HWND prefs = nullptr;
};

// F2's file came from the internet: OK says so, and its hot key asks before each play until agreed.
TEST_F(PreferencesE2E, OneWindowModalFromTheMenuModelessFromTheTrayAndItsHotKeysActOnOk) {
    TypingTarget target;
    ASSERT_TRUE(target.open());
    setSetting("startup", "delay", "25");
    for (const char* key : {"F1", "F2"}) {
        setSetting("hotkey", key, "1");
        const std::wstring name = win32::toWide(key) + L".kyr";
        const std::string typed = std::string("SetFocus >KR Target\r\nSendText >") + key + "\r\n";
        setSetting("hKeyLoc", key, win32::toUtf8(writeMacro(name, typed)).c_str());
    }
    writeMacro(L"F2.kyr:Zone.Identifier", "[ZoneTransfer]\r\nZoneId=3\r\n");
    ASSERT_NE(open(L""), nullptr);
    prefs = onlyPreferencesWindow();
    ASSERT_NE(prefs, nullptr);
    EXPECT_FALSE(IsWindowVisible(prefs)) << "loaded hidden";
    EXPECT_EQ(editText(0), L"25");
    EXPECT_TRUE(checked(L"F2"));

    chooseMenu(L"p", L"Home Return");  // Prefs > StartUp Preferences, the first of two "S"
    ASSERT_TRUE(waitFor([&] { return IsWindowVisible(prefs) != FALSE; }, 5000));
    EXPECT_EQ(onlyPreferencesWindow(), prefs) << "the window loaded at start-up";
    EXPECT_EQ(GetWindow(prefs, GW_OWNER), main);
    EXPECT_FALSE(IsWindowEnabled(main)) << "modal";
    // The HotKeys tab: a click on the first gives the tabs the focus, Right selects the next.
    ASSERT_TRUE(waitForActive(prefs, 5000));
    const HWND tabs = findChild(prefs, WC_TABCONTROLW);
    RECT place{};
    GetWindowRect(tabs, &place);
    ASSERT_TRUE(clickAt({place.left + 20, place.top + 10}));
    ASSERT_TRUE(waitForFocusIn(tabs, 5000));
    ASSERT_TRUE(tapKeys(L"Right"));
    ASSERT_TRUE(waitFor([&] { return SendMessageW(tabs, TCM_GETCURSEL, 0, 0) == 1; }, 5000));
    EXPECT_EQ(editText(2), folder + L"F2.kyr");
    // F1 off, and the F keys moved from ALT to CTRL.
    for (const wchar_t* box : {L"F1", L"ALT", L"CTRL"})
        ASSERT_TRUE(clickOn(findChild(prefs, L"Button", box)));
    ASSERT_TRUE(
        waitFor([&] { return !checked(L"F1") && !checked(L"ALT") && checked(L"CTRL"); }, 5000));
    ASSERT_TRUE(clickOn(findChild(prefs, L"Button", L"OK")));
    const HWND told = waitForDialog(kAppTitle, 10000, L"The hot keys take effect at once");
    ASSERT_NE(told, nullptr);
    EXPECT_EQ(findDialog(kAppTitle, L"The macro file of F2"), told);
    answerMessageBox(told, IDOK);
    ASSERT_TRUE(waitFor([&] { return !IsWindow(prefs); }, 5000));

    // Once the main window is back in front (late on a busy machine), the target, clicked for X.
    ASSERT_TRUE(waitForActive(main, 30000));
    target.activate();
    ASSERT_TRUE(clickOn(FindWindowW(L"KeyreelE2ETarget", L"KR Target")));
    ASSERT_TRUE(typeText(L"-"));
    ASSERT_TRUE(waitFor([&] { return target.text() == L"-"; }, 10000)) << "keys reach it";
    // The old chords reach the target, which ignores them; an F1 play would drop CTRL+F2.
    ASSERT_TRUE(tapKeys(L"alt+F1 alt+F2 ctrl+F2"));
    for (const int button : {IDNO, IDYES}) {
        answer(L"F2.kyr\" came from the internet", button);  // asked again after No
        ASSERT_TRUE(button == IDYES || tapKeys(L"ctrl+F2"));
    }
    // The Yes holds; a play after the No would show here as a third F2.
    ASSERT_TRUE(waitFor([&] { return target.text() == L"-F2"; }, 10000));
    ASSERT_TRUE(waitForTitle(kIdleTitle, 5000));
    ASSERT_TRUE(tapKeys(L"ctrl+F2"));
    EXPECT_TRUE(waitFor([&] { return target.text() == L"-F2F2"; }, 10000))
        << win32::toUtf8(target.text());
    EXPECT_TRUE(waitForTitle(kIdleTitle, 5000));

    // Opened anew from the tray: loaded again, with no owner; the target out of the clicks' way.
    const HWND targetFrame = FindWindowW(L"KeyreelE2ETarget", nullptr);
    SetWindowPos(targetFrame, nullptr, 860, 700, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_TRUE(waitForPlacedOnDisplay(targetFrame, 10000));
    chooseTrayItem(L"Preferences");
    ASSERT_TRUE(waitFor([&] { return (prefs = onlyPreferencesWindow()) != nullptr; }, 5000));
    ASSERT_TRUE(waitFor([&] { return IsWindowVisible(prefs) != FALSE; }, 5000));
    EXPECT_EQ(GetWindow(prefs, GW_OWNER), nullptr);
    EXPECT_TRUE(IsWindowEnabled(main)) << "modeless";
    EXPECT_EQ(editText(0), L"25");
    ASSERT_TRUE(clickOn(findChild(prefs, L"Button", L"Cancel")));
    ASSERT_TRUE(waitFor([&] { return !IsWindow(prefs); }, 5000));
}

}  // namespace
}  // namespace keyreel::e2e
