#pragma once

// The real keyreel.exe started, and driven with the window probe, from a test program beside it.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "user_input.h"
#include "win32/wide_text.h"
#include "window_probe.h"

namespace keyreel::e2e {

inline constexpr const wchar_t* kIdleTitle = L"Tobrin's Keyreel   x";
inline constexpr const wchar_t* kPlayingTitle = L"Tobrin's Keyreel   \u00BB";
inline constexpr const wchar_t* kAppTitle = L"Tobrin's Keyreel";

using namespace probe;

std::wstring besideThisProgram(const wchar_t* name);
inline std::wstring keyreelExecutable() {
    return windowsPath(win32::toWide(KEYREEL_EXE));
}
// Beside keyreel.exe, where the program keeps it.
std::wstring scheduleDatabase();
std::string fileBytes(const std::wstring& path);
// The shown top-level window of this class, once the display shows it too.
HWND waitForShown(const wchar_t* className, DWORD timeoutMillis);

// "KR Target", or Wine's notepad, a program with a menu bar that nobody here wrote.
class TypingTarget {
  public:
    // Starts it and brings it to the front with the focus in its text.
    bool open(bool notepad = false);
    std::wstring text() const { return windowText(edit_); }
    bool activate() { return bringToFront(GetAncestor(edit_, GA_ROOT), edit_, 5000); }
    bool inMenuMode() const { return (threadInput(edit_).flags & GUI_INMENUMODE) != 0; }

  private:
    ChildProcess process_;
    HWND edit_ = nullptr;
};

struct KeyreelProcess : ChildProcess {
    bool start(const std::wstring& arguments, const std::wstring& currentFolder = L"") {
        return ChildProcess::start(
            L"\"" + keyreelExecutable() + L"\"" + (arguments.empty() ? L"" : L" " + arguments),
            currentFolder);
    }
};

// Clean settings and schedule, a folder for macros, clean-up, and a user's main window steps.
class KeyreelTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    void setSetting(const char* section, const char* key, const char* value);
    std::wstring writeMacro(const std::wstring& name, const std::string& utf8Lines);
    // The main window of keyreel.exe, shown or hidden, and its title.
    static HWND mainWindow(DWORD timeoutMillis = 10000) {
        return waitForWindowThat([] { return FindWindowW(L"KeyreelMainWindow", nullptr); },
                                 timeoutMillis);
    }
    static std::wstring title() { return windowText(mainWindow(0)); }
    static bool waitForTitle(const wchar_t* wanted, DWORD timeoutMillis) {
        return waitFor([&] { return title() == wanted; }, timeoutMillis);
    }

    // In the test's folder; without arguments in the tray, and restored from there.
    HWND open(const std::wstring& arguments);
    // A click on the main window's "Command" label, which does nothing else.
    void activate();
    // In the active `window`, or in the main window activated.
    void chooseMenu(const wchar_t* menuKey, const wchar_t* itemKeys, HWND window = nullptr);
    void hide();
    void chooseTrayItem(std::wstring_view caption);
    // The message box with this text, answered with this button, not with a click, which could
    // come before X shows the box and land on the window beneath.
    void answer(const std::wstring& question, int button);
    // Types the name into the Save As or Open dialog, and Enter.
    void answerFileDialog(const wchar_t* title, const std::wstring& name);

    KeyreelProcess keyreel;
    std::wstring folder;
    HWND main = nullptr;
};

}  // namespace keyreel::e2e
