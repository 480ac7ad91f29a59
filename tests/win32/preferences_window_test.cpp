// The preferences window created for real under Wine against the real
// registry: the Open dialog of its browse buttons, the marks beside hot keys
// another program holds, and its modal opening.

#include "ui/preferences_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_answer.h"
#include "temp_folder.h"
#include "test_window.h"
#include "user_input.h"
#include "win32/hot_keys.h"
#include "win32/registry_settings_store.h"
#include "win32/wide_text.h"

// After windows.h, which it needs.
#include <commctrl.h>

namespace keyreel::ui {
namespace {

using win32::DialogAnswer;

// The children of a class in creation order, which is the layout's order.
std::vector<HWND> childrenOfClass(HWND parent, const wchar_t* className) {
    std::vector<HWND> found;
    for (HWND child = FindWindowExW(parent, nullptr, className, nullptr); child != nullptr;
         child = FindWindowExW(parent, child, className, nullptr)) {
        found.push_back(child);
    }
    return found;
}

void clearSettings() {
    RegDeleteTreeW(HKEY_CURRENT_USER, std::wstring(win32::kSettingsKey).c_str());
}

class PreferencesWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { clearSettings(); }
    void TearDown() override {
        window.unload();
        clearSettings();
    }

    void store(const char* section, const char* key, const char* value) {
        ASSERT_TRUE(settings.writeSetting(section, key, value));
    }
    HWND box(const wchar_t* caption) const { return probe::findChild(window.hwnd(), L"", caption); }
    // The seconds box, then the path boxes of F1 .. F6.
    HWND edit(std::size_t index) const { return childrenOfClass(window.hwnd(), L"Edit")[index]; }
    HWND tabs() const { return childrenOfClass(window.hwnd(), WC_TABCONTROLW).front(); }
    // The marks beside hot keys another program holds that can be seen.
    int marksShown() const {
        int count = 0;
        for (const HWND label : childrenOfClass(window.hwnd(), L"Static"))
            count += probe::windowText(label) == L"in use" && IsWindowVisible(label) ? 1 : 0;
        return count;
    }
    void chooseTab(int index) {
        RECT item{};
        TabCtrl_GetItemRect(tabs(), index, &item);
        MapWindowPoints(tabs(), nullptr, reinterpret_cast<POINT*>(&item), 2);
        probe::clickAt({(item.left + item.right) / 2, (item.top + item.bottom) / 2});
        ASSERT_TRUE(probe::waitFor([&] { return TabCtrl_GetCurSel(tabs()) == index; }));
    }
    void openInFront() {
        ASSERT_TRUE(window.open(nullptr, false));
        ASSERT_TRUE(probe::waitFor([&] { return GetForegroundWindow() == window.hwnd(); }));
    }

    win32::RegistrySettingsStore settings;
    // The main window, whose hot keys the window registers again.
    win32::TestWindow main{"Keyreel main window", win32::TestWindow::Content::Empty, false};
    win32::WindowHotKeys platform{[this] { return main.handle(); }};
    HotKeyRegistry hotKeys{platform};
    int registered = 0;
    PreferencesWindow window{{settings,
                              [this] {
                                  ++registered;
                                  hotKeys.addAtoms();
                                  const HotKeySettings chosen = loadHotKeySettings(settings);
                                  hotKeys.registerHotKeys(chosen);
                                  return chosen;
                              },
                              hotKeys, [](const std::string&) { return false; }}};
};

TEST_F(PreferencesWindowTest, BrowsingForF4FillsItsPathBoxThroughTheOpenDialog) {
    TempFolder folder;
    folder.write("f4.kyr", "Press_Tab\r\n");
    openInFront();
    chooseTab(1);
    const std::vector<HWND> browseButtons = [&] {
        std::vector<HWND> buttons;
        for (const HWND button : childrenOfClass(window.hwnd(), L"Button")) {
            if (probe::windowText(button) == L"...")
                buttons.push_back(button);
        }
        return buttons;
    }();
    ASSERT_EQ(browseButtons.size(), 6u);

    DialogAnswer chosen(L"Open", win32::enterFileName(folder.file("f4.kyr")));
    probe::clickOn(browseButtons[3]);
    ASSERT_TRUE(probe::waitFor(
        [&] { return probe::windowText(edit(4)) == win32::toWide(folder.file("f4.kyr")); }));
    chosen.finish();
    EXPECT_EQ(chosen.fileTypes,
              (std::vector<std::wstring>{L"All Files (*.*)", L"Tobrins Keyreel (.kyr)",
                                         L"Text Files (.txt)"}));
    EXPECT_EQ(chosen.selectedType, 1) << "entry 2 preselected";
    for (const std::size_t other : {1u, 2u, 3u, 5u, 6u})
        EXPECT_EQ(probe::windowText(edit(other)), L"") << other;
}

TEST_F(PreferencesWindowTest, AHotKeyThatAnotherProgramHoldsIsMarkedAsNotRegistered) {
    store("hotkey", "F2", "1");
    store("hotkey", "F3", "1");
    store("startup", "enableALTS", "1");
    const win32::TestWindow other("Another program", win32::TestWindow::Content::Empty, false);
    ASSERT_TRUE(RegisterHotKey(other.handle(), 1, MOD_ALT, VK_F2));
    ASSERT_TRUE(RegisterHotKey(other.handle(), 2, MOD_ALT | MOD_CONTROL, 'S'));
    openInFront();
    EXPECT_EQ(marksShown(), 1) << "CTRL+ALT+S, below the pages";
    chooseTab(1);
    EXPECT_EQ(marksShown(), 2) << "and F2";
    const auto markBesideF2 = [&] {
        RECT f2{};
        GetWindowRect(box(L"F2"), &f2);
        for (const HWND label : childrenOfClass(window.hwnd(), L"Static")) {
            RECT mark{};
            GetWindowRect(label, &mark);
            if (probe::windowText(label) == L"in use" && IsWindowVisible(label) &&
                mark.top < f2.bottom && mark.bottom > f2.top && mark.left >= f2.right - 1)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(markBesideF2());

    // Once the other program lets go, a new window registers and shows none.
    UnregisterHotKey(other.handle(), 1);
    UnregisterHotKey(other.handle(), 2);
    window.unload();
    ASSERT_TRUE(window.load());
    EXPECT_EQ(marksShown(), 0);
    EXPECT_EQ(registered, 2);
}

// Shown again while it is open modal, it stays modal until it closes.
TEST_F(PreferencesWindowTest, OpenedModalItStaysModalWhenShownAgainUntilItCloses) {
    const win32::TestWindow owner("Keyreel owner", win32::TestWindow::Content::Empty);
    ASSERT_TRUE(window.load());
    ASSERT_TRUE(window.open(owner.handle(), true));
    EXPECT_EQ(registered, 1) << "showing the loaded window registers nothing";
    ASSERT_TRUE(window.open(nullptr, false));
    EXPECT_FALSE(IsWindowEnabled(owner.handle()));
    probe::clickOn(box(L"Cancel"));
    ASSERT_TRUE(probe::waitFor([&] { return !window.loaded(); }));
    EXPECT_TRUE(IsWindowEnabled(owner.handle()));
}

}  // namespace
}  // namespace keyreel::ui
