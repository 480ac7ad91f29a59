// The preferences window of keyreel.exe: one window, loaded hidden and filled
// at start-up; shown modal from the Prefs menu and modeless from the tray;
// hot keys changed there act as soon as OK stored them.

#include "e2e_support.h"

// After windows.h, which it needs.
#include <commctrl.h>

#include "win32/wide_text.h"

namespace keyreel::e2e {
namespace {

class PreferencesE2E : public KeyreelTest {
  protected:
    // The one window of its class, shown or not.
    HWND onlyPreferencesWindow() {
        const auto windows = windowsOfClass(L"KeyreelPreferencesWindow", true);
        return windows.size() == 1 ? windows.front() : nullptr;
    }
    bool checked(const wchar_t* caption) const {
        return SendMessageW(findChild(prefs, L"Button", caption), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    // The seconds box (0), then the path boxes of F1 .. F6.
    std::wstring editText(std::size_t index) const {
        std::vector<HWND> edits;
        for (const Child& child : children(prefs)) {
            if (child.className == L"Edit")
                edits.push_back(child.hwnd);
        }
        return index < edits.size() ? windowText(edits[index]) : L"(none)";
    }
    HWND prefs = nullptr;
};

// F2's file came from the internet: OK says so, and its hot key asks before
// each play until the user agreed.
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
    markDownloaded(folder + L"F2.kyr");
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
    // The HotKeys tab, from the keyboard: a click on the first tab gives the
    // tab control the focus, the right arrow selects the next.
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
    const HWND told = waitForDialog(kAppTitle, 10000,
                                    L"The hot keys take effect at once, the other settings the "
                                    L"next time you start the program.");
    ASSERT_NE(told, nullptr);
    EXPECT_EQ(findDialog(kAppTitle, L"The macro file of F2"), told);
    answerMessageBox(told, IDOK);
    ASSERT_TRUE(waitFor([&] { return !IsWindow(prefs); }, 5000));

    // The main window comes back to the front once its modal window went;
    // only then is the program to play into put in front, and clicked, so
    // that X gives it the keyboard too. The window manager hands the
    // activation back late on a busy machine.
    ASSERT_TRUE(waitForActive(main, 30000));
    target.activate();
    ASSERT_TRUE(clickOn(FindWindowW(L"KeyreelE2ETarget", L"KR Target")));
    ASSERT_TRUE(typeText(L"-"));
    ASSERT_TRUE(waitFor([&] { return target.text() == L"-"; }, 10000)) << "keys reach it";
    // The old chords reach the program in front, which ignores them; only
    // the new one plays. An F1 play would run first and drop CTRL+F2.
    ASSERT_TRUE(tapKeys(L"alt+F1 alt+F2 ctrl+F2"));
    for (const int answer : {IDNO, IDYES}) {
        const HWND question = waitForDialog(kAppTitle, 10000, L"F2.kyr\" came from the internet");
        ASSERT_NE(question, nullptr) << "asked again after No";
        answerMessageBox(question, answer);
        ASSERT_TRUE(waitFor([&] { return !IsWindow(question); }, 5000));
        if (answer == IDNO) {
            ASSERT_TRUE(tapKeys(L"ctrl+F2"));
        }
    }
    // The Yes holds; a play after the No would show here as a third F2.
    ASSERT_TRUE(waitFor([&] { return target.text() == L"-F2"; }, 10000));
    ASSERT_TRUE(waitForTitle(kIdleTitle, 5000));
    ASSERT_TRUE(tapKeys(L"ctrl+F2"));
    EXPECT_TRUE(waitFor([&] { return target.text() == L"-F2F2"; }, 10000))
        << win32::toUtf8(target.text());
    EXPECT_TRUE(waitForTitle(kIdleTitle, 5000));

    // Opened anew from the tray: loaded again, with no owner.
    // The target goes out of the way of the clicks on the main window.
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
