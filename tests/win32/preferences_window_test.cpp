// The preferences window under Wine against the real registry.

#include "ui/preferences_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "temp_folder.h"
#include "test_window.h"
#include "win32/hot_keys.h"
#include "win32/registry_settings_store.h"
#include "win32/wide_text.h"

// After windows.h, which it needs.
#include <commctrl.h>

namespace keyreel::ui {
namespace {

class PreferencesWindowTest : public ::testing::Test {
  protected:
    void SetUp() override { clearSettings(); }
    void TearDown() override { clearSettings(); }
    static void clearSettings() {
        RegDeleteTreeW(HKEY_CURRENT_USER, std::wstring(win32::kSettingsKey).c_str());
    }

    // The children of a class in creation order, which is the layout's order.
    std::vector<HWND> children(const wchar_t* className, const wchar_t* text = nullptr) const {
        std::vector<HWND> found;
        for (const probe::Child& child : probe::children(window.hwnd())) {
            if (child.className == className && (!text || probe::windowText(child.hwnd) == text))
                found.push_back(child.hwnd);
        }
        return found;
    }
    // The marks beside hot keys another program holds that can be seen.
    std::ptrdiff_t marksShown() const {
        return std::ranges::count_if(children(L"Static", L"in use"), IsWindowVisible);
    }

    win32::RegistrySettingsStore settings;
    // The main window, whose hot keys the window registers again.
    win32::TestWindow main{"Keyreel main window", win32::TestWindow::Content::Empty, false};
    win32::WindowHotKeys platform{[this] { return main.handle(); }};
    HotKeyRegistry hotKeys{platform};
    PreferencesWindow window{{settings,
                              [this] {
                                  hotKeys.addAtoms();
                                  const HotKeySettings chosen = loadHotKeySettings(settings);
                                  hotKeys.registerHotKeys(chosen);
                                  return chosen;
                              },
                              hotKeys, [](const std::string&) { return false; }}};
};

TEST_F(PreferencesWindowTest, TheSliderAndBrowseFillTheirBoxesAndHotKeysHeldElsewhereAreMarked) {
    ASSERT_TRUE(settings.writeSetting("hotkey", "F2", "1"));
    ASSERT_TRUE(settings.writeSetting("startup", "enableALTS", "1"));
    const win32::TestWindow other("Another program", win32::TestWindow::Content::Empty, false);
    ASSERT_TRUE(RegisterHotKey(other.handle(), 1, MOD_ALT, VK_F2));
    ASSERT_TRUE(RegisterHotKey(other.handle(), 2, MOD_ALT | MOD_CONTROL, 'S'));
    ASSERT_TRUE(window.open(nullptr, false));
    ASSERT_TRUE(probe::waitFor([&] { return GetForegroundWindow() == window.hwnd(); }));
    EXPECT_EQ(marksShown(), 1) << "CTRL+ALT+S, below the pages";
    // The seconds box, then the path boxes of F1 .. F6.
    const std::vector<HWND> edits = children(L"Edit");
    ASSERT_EQ(edits.size(), 7u);
    const std::wstring seconds = probe::windowText(edits[0]);
    SendMessageW(children(TRACKBAR_CLASSW).front(), WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_NE(probe::windowText(edits[0]), seconds) << "the slider was moved";

    // Chosen as the tab control does when clicked: it tells the window.
    SendMessageW(children(WC_TABCONTROLW).front(), TCM_SETCURFOCUS, 1, 0);
    EXPECT_EQ(marksShown(), 2) << "and F2";
    TempFolder folder;
    folder.write("f4.kyr", "Press_Tab\r\n");
    const std::vector<HWND> browseButtons = children(L"Button", L"...");
    ASSERT_EQ(browseButtons.size(), 6u);
    auto user =
        probe::answerDialog(L"Open", probe::enterFileName(win32::toWide(folder.file("f4.kyr"))));
    PostMessageW(browseButtons[3], BM_CLICK, 0, 0);
    EXPECT_TRUE(probe::waitFor(
        [&] { return probe::windowText(edits[4]) == win32::toWide(folder.file("f4.kyr")); }));
    user.get();
    EXPECT_EQ(probe::windowText(edits[3]), L"");

    // Once the other program lets go, a new window registers and shows none.
    UnregisterHotKey(other.handle(), 1);
    UnregisterHotKey(other.handle(), 2);
    window.unload();
    ASSERT_TRUE(window.load());
    EXPECT_EQ(marksShown(), 0);
}

}  // namespace
}  // namespace keyreel::ui
