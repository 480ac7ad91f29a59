// The preferences window of keyreel.exe: one window, loaded hidden and
// filled at start-up; shown modal from the Prefs menu and modeless from the
// tray; a hot key that this test holds is marked as not registered; hot keys
// changed there act as soon as OK stored them.

#include "main_window_fixture.h"

// After windows.h, which it needs.
#include <commctrl.h>

#include "win32/wide_text.h"

namespace keyreel::e2e {
namespace {

// Every window of keyreel.exe's preferences window class, shown or not.
std::vector<HWND> preferencesWindows() {
    std::vector<HWND> found;
    for (HWND window = FindWindowExW(nullptr, nullptr, L"KeyreelPreferencesWindow", nullptr);
         window != nullptr;
         window = FindWindowExW(nullptr, window, L"KeyreelPreferencesWindow", nullptr)) {
        found.push_back(window);
    }
    return found;
}

class PreferencesE2E : public MainWindowE2E {
  protected:
    void TearDown() override {
        UnregisterHotKey(nullptr, kHeldId);
        MainWindowE2E::TearDown();
    }

    bool checked(const wchar_t* caption) const {
        return SendMessageW(probe::findChild(prefs, L"Button", caption), BM_GETCHECK, 0, 0) ==
               BST_CHECKED;
    }
    // The seconds box (0), then the path boxes of F1 .. F6.
    std::wstring editText(std::size_t index) const {
        std::vector<HWND> edits;
        for (const probe::Child& child : probe::children(prefs)) {
            if (child.className == L"Edit")
                edits.push_back(child.hwnd);
        }
        return index < edits.size() ? probe::windowText(edits[index]) : L"(none)";
    }
    std::wstring seconds() const { return editText(0); }
    LRESULT slider() const {
        return SendMessageW(probe::findChild(prefs, TRACKBAR_CLASSW), TBM_GETPOS, 0, 0);
    }
    int marksShown() const {
        int count = 0;
        for (const probe::Child& child : probe::children(prefs))
            count += child.text == L"in use" && IsWindowVisible(child.hwnd) ? 1 : 0;
        return count;
    }
    // The HotKeys tab, from the keyboard: a click on the first tab gives the
    // tab control the focus, the right arrow selects the next.
    void chooseHotKeysTab() {
        const HWND tabs = probe::findChild(prefs, WC_TABCONTROLW);
        RECT place{};
        GetWindowRect(tabs, &place);
        ASSERT_TRUE(clickAt({place.left + 20, place.top + 10}));
        ASSERT_TRUE(waitForFocusIn(tabs, 5000));
        ASSERT_TRUE(tapKeys(L"Right"));
        ASSERT_TRUE(waitFor([&] { return SendMessageW(tabs, TCM_GETCURSEL, 0, 0) == 1; }, 5000));
    }
    void cancel() {
        ASSERT_TRUE(clickOn(probe::findChild(prefs, L"Button", L"Cancel")));
        ASSERT_TRUE(waitFor([&] { return !IsWindow(prefs); }, 5000));
    }

    static constexpr int kHeldId = 0x2002;
    HWND prefs = nullptr;
};

TEST_F(PreferencesE2E, StartUpFillsOneHiddenWindowWhichTheMenuShowsModalAndTheTrayModeless) {
    setSetting("startup", "Run", "0");
    setSetting("startup", "delay", "25");
    setSetting("startup", "enableALTR", "1");
    setSetting("hotkey", "F2", "1");
    setSetting("hotkey", "F3", "1");
    setSetting("hKeyLoc", "F2", "C:\\macros\\f2.kyr");
    // Another program holds ALT+F2 before keyreel.exe starts.
    ASSERT_TRUE(RegisterHotKey(nullptr, kHeldId, MOD_ALT, VK_F2));
    ASSERT_NE(open(L""), nullptr);
    ASSERT_EQ(preferencesWindows().size(), 1u) << "exactly one window";
    prefs = preferencesWindows().front();
    EXPECT_FALSE(IsWindowVisible(prefs)) << "loaded hidden";
    EXPECT_FALSE(checked(L"Enable Pause For Auto Start"));
    EXPECT_EQ(seconds(), L"25");
    EXPECT_EQ(slider(), 25);
    EXPECT_TRUE(checked(L"Enable CTRL+ALT+R Begin"));
    EXPECT_TRUE(checked(L"F2"));

    chooseMenu(L"p", L"Home Return");  // Prefs > StartUp Preferences, the first of two "S"
    ASSERT_TRUE(waitFor([&] { return IsWindowVisible(prefs) != FALSE; }, 5000));
    EXPECT_EQ(preferencesWindows().size(), 1u) << "the window loaded at start-up";
    EXPECT_EQ(GetWindow(prefs, GW_OWNER), main);
    EXPECT_FALSE(IsWindowEnabled(main)) << "modal";
    ASSERT_TRUE(waitForActive(prefs, 5000));
    chooseHotKeysTab();
    EXPECT_EQ(marksShown(), 1) << "F2, which this test holds; F3 is Keyreel's";
    EXPECT_EQ(editText(2), L"C:\\macros\\f2.kyr");
    cancel();
    EXPECT_TRUE(waitFor([&] { return IsWindowEnabled(main) != FALSE; }, 5000));

    // Opened anew from the tray: loaded again, registered again, no owner.
    chooseTrayItem(L"Preferences");
    ASSERT_TRUE(waitFor([&] { return preferencesWindows().size() == 1; }, 5000));
    prefs = preferencesWindows().front();
    ASSERT_TRUE(waitFor([&] { return IsWindowVisible(prefs) != FALSE; }, 5000));
    EXPECT_EQ(GetWindow(prefs, GW_OWNER), nullptr);
    EXPECT_TRUE(IsWindowEnabled(main)) << "modeless";
    EXPECT_EQ(seconds(), L"25");
    ASSERT_TRUE(waitForActive(prefs, 5000));
    chooseHotKeysTab();
    EXPECT_EQ(marksShown(), 1);
    cancel();
    EXPECT_TRUE(keyreel.running());
}

// F2's file came from the internet: OK says so, and its hot key asks before
// each play until the user agreed.
TEST_F(PreferencesE2E, HotKeysChangedActOnceOkStoredThemAndADownloadedFileAsksFirst) {
    TargetWindow target;
    setSetting("hotkey", "F1", "1");
    setSetting("hotkey", "F2", "1");
    for (const char* key : {"F1", "F2"}) {
        const std::wstring name = win32::toWide(key) + L".kyr";
        const std::string typed = std::string("SetFocus >KR Target\r\nSendText >") + key + "\r\n";
        setSetting("hKeyLoc", key, win32::toUtf8(writeMacro(name, typed)).c_str());
    }
    markDownloaded(folder + L"F2.kyr");
    ASSERT_NE(open(L""), nullptr);
    prefs = preferencesWindows().front();
    chooseMenu(L"p", L"Home Return");
    ASSERT_TRUE(waitForActive(prefs, 5000));
    chooseHotKeysTab();
    // F1 off, and F2 moved from ALT to CTRL.
    for (const wchar_t* box : {L"F1", L"ALT", L"CTRL"})
        ASSERT_TRUE(clickOn(probe::findChild(prefs, L"Button", box)));
    ASSERT_TRUE(
        waitFor([&] { return !checked(L"F1") && !checked(L"ALT") && checked(L"CTRL"); }, 5000));
    ASSERT_TRUE(clickOn(probe::findChild(prefs, L"Button", L"OK")));
    const HWND told = probe::waitForMessageBox(
        kAppTitle,
        L"The hot keys take effect at once, the other settings the next time you start the "
        L"program.",
        10000);
    ASSERT_NE(told, nullptr);
    EXPECT_EQ(probe::findMessageBox(kAppTitle, L"The macro file of F2"), told);
    probe::answerMessageBox(told, IDOK);
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
        const HWND question =
            probe::waitForMessageBox(kAppTitle, L"F2.kyr\" came from the internet", 10000);
        ASSERT_NE(question, nullptr) << "asked again after No";
        probe::answerMessageBox(question, answer);
        ASSERT_TRUE(waitFor([&] { return !IsWindow(question); }, 5000));
        if (answer == IDNO) {
            ASSERT_TRUE(tapKeys(L"ctrl+F2"));
        }
    }
    EXPECT_TRUE(waitFor([&] { return target.text() == L"-F2"; }, 10000))
        << win32::toUtf8(target.text());
    EXPECT_TRUE(waitForTitle(kIdleTitle, 5000));
    // The Yes holds; a play after the No would show here as a third F2.
    ASSERT_TRUE(tapKeys(L"ctrl+F2"));
    EXPECT_TRUE(waitFor([&] { return target.text() == L"-F2F2"; }, 10000))
        << win32::toUtf8(target.text());
    EXPECT_TRUE(waitForTitle(kIdleTitle, 5000));
    EXPECT_EQ(target.text(), L"-F2F2");
}

}  // namespace
}  // namespace keyreel::e2e
