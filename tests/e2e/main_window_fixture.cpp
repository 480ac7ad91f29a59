#include "main_window_fixture.h"

// After windows.h, which it needs.
#include <commctrl.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "ui/main_menus.h"
#include "win32/wide_text.h"

namespace keyreel::e2e {

namespace {

// The middle of the tray menu's item with this caption. The menu of
// another process cannot be read under Wine, so the place is worked out from
// the program's own menu table: items of one height, separators half as
// high, a thin border round them all.
POINT trayMenuItem(HWND menu, std::wstring_view caption) {
    constexpr int kBorder = 2;
    const std::vector<const wchar_t*> captions = ui::trayMenuCaptions();
    int halfItems = 0;
    int halfItemsBefore = -1;
    for (const wchar_t* item : captions) {
        if (item != nullptr && caption == item)
            halfItemsBefore = halfItems;
        halfItems += item != nullptr ? 2 : 1;
    }
    if (halfItemsBefore < 0) {
        ADD_FAILURE() << "the tray menu has no item " << win32::toUtf8(std::wstring(caption));
        return {};
    }
    RECT rect{};
    GetWindowRect(menu, &rect);
    // Not rounded: a pixel lost per half item adds up to a whole item near
    // the bottom of a long menu.
    const double halfItem = static_cast<double>(rect.bottom - rect.top - 2 * kBorder) / halfItems;
    return {(rect.left + rect.right) / 2,
            rect.top + kBorder + static_cast<LONG>(halfItem * (halfItemsBefore + 1))};
}

}  // namespace

void MainWindowE2E::TearDown() {
    KeyreelTest::TearDown();
    if (!startFolder_.empty())
        SetCurrentDirectoryW(startFolder_.c_str());
}

HWND MainWindowE2E::open(const std::wstring& arguments) {
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    startFolder_ = current;
    SetCurrentDirectoryW(folder.c_str());
    EXPECT_TRUE(keyreel.start(arguments));
    // A busy machine may take its time to start a program.
    main = mainWindow(20000);
    if (main == nullptr)
        return nullptr;
    if (arguments.empty()) {
        // Hidden first, as a user finds it; the first icon of a fresh Wine
        // prefix starts its tray, which takes a while on a busy machine.
        EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(main); }, 20000));
        EXPECT_TRUE(restoreFromTray(30000));
    }
    EXPECT_TRUE(waitFor([&] { return IsWindowVisible(main) != FALSE; }, 20000))
        << describeDisplay();
    EXPECT_TRUE(waitForPlacedOnDisplay(main, 20000));
    // Off Wine's tray window, which sits at the top left of the screen.
    SetWindowPos(main, nullptr, 320, 160, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    list = probe::findChild(main, L"ListBox");
    chooser = probe::findChild(main, L"ComboBox");
    value = probe::findChild(main, L"Edit");
    return main;
}

void MainWindowE2E::activate() {
    ASSERT_TRUE(clickOn(probe::findChild(main, L"Static", L"Command")));
    ASSERT_TRUE(waitForActive(main, 5000));
}

void MainWindowE2E::chooseMenu(const wchar_t* menuKey, const wchar_t* itemKey) {
    activate();
    ASSERT_TRUE(tapKeys(std::wstring(L"alt+") + menuKey));
    ASSERT_TRUE(waitForMenu(main, 5000)) << "no menu";
    ASSERT_TRUE(tapKeys(itemKey));
}

void MainWindowE2E::chooseTrayItem(std::wstring_view caption) {
    activate();
    const HWND icon = waitForTrayIcon(5000);
    RECT place{};
    GetWindowRect(icon, &place);
    ASSERT_TRUE(movePointerTo((place.left + place.right) / 2, (place.top + place.bottom) / 2));
    // The press gives the tray window the focus; the menu comes with the
    // release and would close again if that focus change came after it.
    ASSERT_TRUE(probe::runUnixProgramToEnd(L"/usr/bin/xdotool mousedown 3"));
    ASSERT_TRUE(waitForActive(GetAncestor(icon, GA_ROOT), 5000));
    ASSERT_TRUE(probe::runUnixProgramToEnd(L"/usr/bin/xdotool mouseup 3"));
    ASSERT_TRUE(waitForMenu(main, 5000)) << "no tray menu";
    const POINT item = trayMenuItem(FindWindowW(L"#32768", nullptr), caption);
    ASSERT_TRUE(movePointerTo(item.x, item.y));
    ASSERT_TRUE(probe::runUnixProgramToEnd(L"/usr/bin/xdotool click 1"));
}

void MainWindowE2E::chooseWord(int position, const wchar_t* word) {
    ASSERT_TRUE(clickOn(chooser));
    ASSERT_TRUE(waitForFocusIn(chooser, 5000));
    const int steps = position - chosen_;
    if (steps != 0) {
        ASSERT_TRUE(tapKeys(L"--repeat " + std::to_wstring(std::abs(steps)) + L" --delay 30 " +
                            (steps > 0 ? L"Down" : L"Up")));
    }
    chosen_ = position;
    ASSERT_TRUE(waitFor([&] { return probe::windowText(chooser) == word; }, 3000))
        << win32::toUtf8(probe::windowText(chooser));
}

void MainWindowE2E::typeValue(const std::wstring& text) {
    ASSERT_TRUE(tapKeys(L"Tab"));
    ASSERT_TRUE(waitForFocusIn(value, 5000)) << "Tab leads from the chooser to the value";
    if (!text.empty()) {
        ASSERT_TRUE(typeText(text));
    }
    ASSERT_TRUE(waitFor([&] { return probe::windowText(value) == text; }, 3000));
}

void MainWindowE2E::addLine(int position, const wchar_t* word, const std::wstring& text,
                            AddWith how) {
    const std::size_t before = lines().size();
    chooseWord(position, word);
    typeValue(text);
    ASSERT_TRUE(how == AddWith::Enter ? tapKeys(L"Return") : clickOn(button(L"Add")));
    ASSERT_TRUE(waitFor([&] { return lines().size() == before + 1; }, 3000));
}

void MainWindowE2E::selectLine(int index) {
    ASSERT_TRUE(clickListLine(list, index));
    ASSERT_TRUE(waitFor([&] { return SendMessageW(list, LB_GETCURSEL, 0, 0) == index; }, 3000));
}

void MainWindowE2E::answerFileDialog(const wchar_t* title, const std::wstring& name) {
    const HWND dialog = waitForDialog(title, 10000);
    ASSERT_NE(dialog, nullptr) << win32::toUtf8(title);
    ASSERT_TRUE(waitForPlacedOnDisplay(dialog, 10000));
    // Into the file name field: a dialog opened from the tray menu may come
    // up without the focus, which stays with the tray under X.
    const HWND fileName = GetDlgItem(dialog, 1148);
    ASSERT_TRUE(clickOn(fileName));
    ASSERT_TRUE(waitForActive(dialog, 5000));
    ASSERT_TRUE(waitForFocusIn(fileName, 5000));
    if (name.empty()) {
        ASSERT_TRUE(tapKeys(L"Escape"));
    } else {
        ASSERT_TRUE(typeText(name));
        ASSERT_TRUE(waitFor([&] { return probe::windowText(fileName) == name; }, 3000))
            << win32::toUtf8(probe::windowText(fileName));
        ASSERT_TRUE(tapKeys(L"Return"));
    }
    ASSERT_TRUE(waitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 5000));
}

std::string fileBytes(const std::wstring& path) {
    std::ifstream in(path.c_str(), std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool fileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

HWND waitForShown(const wchar_t* className, DWORD timeoutMillis) {
    HWND window = nullptr;
    waitFor(
        [&] {
            window = FindWindowW(className, nullptr);
            return window != nullptr && IsWindowVisible(window);
        },
        timeoutMillis);
    return window != nullptr && waitForPlacedOnDisplay(window, timeoutMillis) ? window : nullptr;
}

HWND helpWindow() {
    return FindWindowW(L"HH Parent", L"Tobrin's Keyreel Help");
}

LRESULT helpTab(HWND help) {
    HWND tabs = nullptr;
    EnumChildWindows(
        help,
        [](HWND child, LPARAM found) -> BOOL {
            wchar_t name[64] = {};
            GetClassNameW(child, name, 64);
            if (std::wstring(name) != WC_TABCONTROLW)
                return TRUE;
            *reinterpret_cast<HWND*>(found) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&tabs));
    return tabs != nullptr ? SendMessageW(tabs, TCM_GETCURSEL, 0, 0) : -1;
}

}  // namespace keyreel::e2e
