#include "e2e_support.h"

#include <filesystem>
#include <fstream>

#include "ui/main_menus.h"
#include "win32/registry_settings_store.h"

namespace keyreel::e2e {

namespace {

void closeWindowsOfOthers(std::wstring_view titlePart) {
    while (const HWND window = findWindow(titlePart)) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        const HANDLE process = processId == GetCurrentProcessId()
                                   ? nullptr
                                   : OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
        if (process == nullptr)
            return;
        TerminateProcess(process, 0);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}

// The middle of the tray menu's item: another process's menu cannot be read under Wine, but the
// program's own menu table gives its place (items of one height, separators half as high).
POINT trayMenuItem(HWND menu, std::wstring_view caption) {
    constexpr int kBorder = 2;
    int halfItems = 0;
    int halfItemsBefore = -1;
    for (const wchar_t* item : ui::trayMenuCaptions()) {
        if (item != nullptr && caption == item)
            halfItemsBefore = halfItems;
        halfItems += item != nullptr ? 2 : 1;
    }
    EXPECT_GE(halfItemsBefore, 0) << "no item " << win32::toUtf8(std::wstring(caption));
    RECT rect{};
    GetWindowRect(menu, &rect);
    // Not rounded: a pixel lost per half item adds up to a whole item near the bottom.
    const double halfItem = static_cast<double>(rect.bottom - rect.top - 2 * kBorder) / halfItems;
    return {(rect.left + rect.right) / 2,
            rect.top + kBorder + static_cast<LONG>(halfItem * (halfItemsBefore + 1))};
}

}  // namespace

std::wstring besideThisProgram(const wchar_t* name) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return std::filesystem::path(self).replace_filename(name).wstring();
}

std::wstring scheduleDatabase() {
    return std::filesystem::path(keyreelExecutable()).replace_filename(L"macro.kdb").wstring();
}

std::string fileBytes(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

HWND waitForShown(const wchar_t* className, DWORD timeoutMillis) {
    const HWND window = waitForWindowThat(
        [&] {
            const HWND found = FindWindowW(className, nullptr);
            return found != nullptr && IsWindowVisible(found) ? found : nullptr;
        },
        timeoutMillis);
    return window != nullptr && waitForPlacedOnDisplay(window, timeoutMillis) ? window : nullptr;
}

bool TypingTarget::open(bool notepad) {
    // Found before its edit exists; notepad is titled "Notepad" for a moment.
    const auto targetEdit = [] {
        const HWND frame = FindWindowW(L"KeyreelE2ETarget", L"KR Target");
        return frame != nullptr ? GetDlgItem(frame, 1) : nullptr;
    };
    // The first start of a program takes a while on a busy machine.
    return process_.start(notepad ? L"notepad.exe"
                                  : L"\"" + besideThisProgram(L"e2e_target.exe") + L"\"") &&
           (edit_ = notepad ? waitForNotepadEdit(20000) : waitForWindowThat(targetEdit, 30000)) !=
               nullptr &&
           activate();
}

void KeyreelTest::SetUp() {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Keyreel");
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder = std::wstring(temp) + L"keyreel-e2e\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    TearDown();  // what an earlier run left goes first
}

void KeyreelTest::TearDown() {
    keyreel.kill();
    closeWindowsOfOthers(L"Notepad");
    closeWindowsOfOthers(kAppTitle);
    for (const wchar_t* end : {L"", L".bak"})
        DeleteFileW((scheduleDatabase() + end).c_str());
}

void KeyreelTest::setSetting(const char* section, const char* key, const char* value) {
    win32::RegistrySettingsStore store;
    ASSERT_TRUE(store.writeSetting(section, key, value));
}

std::wstring KeyreelTest::writeMacro(const std::wstring& name, const std::string& utf8Lines) {
    const std::wstring path = folder + name;
    std::ofstream(path.c_str(), std::ios::binary) << utf8Lines;
    return path;
}

HWND KeyreelTest::open(const std::wstring& arguments) {
    EXPECT_TRUE(keyreel.start(arguments, folder));
    main = mainWindow(20000);
    if (main == nullptr)
        return nullptr;
    if (arguments.empty()) {
        // Hidden first, as a user finds it, and out of the task list.
        EXPECT_TRUE(waitFor(
            [&] { return !IsWindowVisible(main) && GetWindow(main, GW_OWNER) != nullptr; }, 20000));
        EXPECT_TRUE(restoreFromTray(30000));
    }
    EXPECT_TRUE(waitFor([&] { return IsWindowVisible(main) != FALSE; }, 20000))
        << describeDisplay();
    EXPECT_TRUE(waitForPlacedOnDisplay(main, 20000));
    // Off Wine's tray window, which sits at the top left of the screen.
    SetWindowPos(main, nullptr, 320, 160, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    return main;
}

void KeyreelTest::activate() {
    ASSERT_TRUE(clickOn(findChild(main, L"Static", L"Command")));
    ASSERT_TRUE(waitForActive(main, 5000));
}

void KeyreelTest::chooseMenu(const wchar_t* menuKey, const wchar_t* itemKeys, HWND window) {
    if (window == nullptr)
        activate();
    ASSERT_TRUE(tapKeys(std::wstring(L"alt+") + menuKey));
    ASSERT_TRUE(waitForMenu(window != nullptr ? window : main, 5000)) << "no menu";
    ASSERT_TRUE(tapKeys(itemKeys));
}

void KeyreelTest::hide() {
    activate();
    ASSERT_TRUE(tapKeys(L"alt+d"));
    ASSERT_TRUE(waitFor([&] { return !IsWindowVisible(main); }, 5000));
}

void KeyreelTest::chooseTrayItem(std::wstring_view caption) {
    activate();
    const HWND icon = waitForTrayIcon(5000);
    RECT place{};
    GetWindowRect(icon, &place);
    ASSERT_TRUE(movePointerTo((place.left + place.right) / 2, (place.top + place.bottom) / 2));
    // The menu comes with the release: after the press's focus change, which would close it.
    ASSERT_TRUE(runUnixProgramToEnd(L"/usr/bin/xdotool mousedown 3"));
    ASSERT_TRUE(waitForActive(GetAncestor(icon, GA_ROOT), 5000));
    ASSERT_TRUE(runUnixProgramToEnd(L"/usr/bin/xdotool mouseup 3"));
    ASSERT_TRUE(waitForMenu(main, 5000)) << "no tray menu";
    const POINT item = trayMenuItem(FindWindowW(L"#32768", nullptr), caption);
    ASSERT_TRUE(movePointerTo(item.x, item.y));
    ASSERT_TRUE(runUnixProgramToEnd(L"/usr/bin/xdotool click 1"));
}

void KeyreelTest::answer(const std::wstring& question, int button) {
    const HWND box = waitForDialog(kAppTitle, 10000, question);
    ASSERT_NE(box, nullptr) << win32::toUtf8(question);
    answerMessageBox(box, button);
    ASSERT_TRUE(waitFor([&] { return !IsWindow(box); }, 5000));
}

void KeyreelTest::answerFileDialog(const wchar_t* title, const std::wstring& name) {
    const HWND dialog = waitForDialog(title, 10000);
    ASSERT_NE(dialog, nullptr) << win32::toUtf8(title);
    ASSERT_TRUE(waitForPlacedOnDisplay(dialog, 10000));
    // A dialog opened from the tray menu may come up without the X focus, which the tray keeps.
    const HWND fileName = GetDlgItem(dialog, 1148);
    ASSERT_TRUE(typeInto(fileName, name)) << win32::toUtf8(windowText(fileName));
    ASSERT_TRUE(tapKeys(L"Return"));
    ASSERT_TRUE(waitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 5000));
}

}  // namespace keyreel::e2e
