#pragma once

// The real keyreel.exe started and driven from a test program running beside
// it under the same Wine, with the window probe.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "user_input.h"
#include "window_probe.h"

namespace keyreel::e2e {

inline constexpr const wchar_t* kIdleTitle = L"Tobrin's Keyreel   x";
inline constexpr const wchar_t* kPlayingTitle = L"Tobrin's Keyreel   \u00BB";
inline constexpr const wchar_t* kAppTitle = L"Tobrin's Keyreel";

using namespace probe;

// The file of this name in the folder of the test program.
std::wstring besideThisProgram(const wchar_t* name);
// The Windows path of the keyreel.exe under test.
std::wstring keyreelExecutable();
std::string fileBytes(const std::wstring& path);
// The shown top-level window of this class, once the display shows it too.
HWND waitForShown(const wchar_t* className, DWORD timeoutMillis);

// A separate program, "KR Target", with an edit control filling its window:
// macros type into it as into any other program.
class TargetWindow {
  public:
    TargetWindow();
    std::wstring text() const { return windowText(edit_); }
    void activate() { bringToFront(frame_, edit_, 2000); }

  private:
    ChildProcess process_;
    HWND frame_ = nullptr;
    HWND edit_ = nullptr;
};

// Wine's notepad, a program with a menu bar that nobody here wrote, in front
// with the keyboard focus in its text.
class Notepad {
  public:
    // Starts it and brings it to the front; false when it did not come.
    bool open();
    std::wstring text() const { return windowText(edit_); }
    // Whether its window's thread is in a menu, the menu bar included.
    bool inMenuMode() const { return (threadInput(edit_).flags & GUI_INMENUMODE) != 0; }

  private:
    ChildProcess process_;
    HWND edit_ = nullptr;
};

// keyreel.exe with the arguments after its name.
class KeyreelProcess : public ChildProcess {
  public:
    bool start(const std::wstring& arguments, const std::wstring& currentFolder = L"");
};

// Clean settings, a folder for macro files, the clean-up of every window a
// macro may have opened, and the steps a user takes in the main window.
class KeyreelTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    void setSetting(const char* section, const char* key, const char* value);
    // Writes the lines as a macro file and returns its path.
    std::wstring writeMacro(const std::wstring& name, const std::string& utf8Lines);
    // Marks the file as a download from the internet, as a browser does.
    static void markDownloaded(const std::wstring& path);
    // The main window of keyreel.exe, shown or hidden, and its title.
    HWND mainWindow(DWORD timeoutMillis = 10000);
    std::wstring title() { return windowText(mainWindow(0)); }
    bool waitForTitle(const wchar_t* wanted, DWORD timeoutMillis);

    // Starts keyreel.exe with the arguments, or in the tray without any and
    // restored with a double click on its icon; waits for its main window.
    // Its file dialogs open in the test's folder, its current folder.
    HWND open(const std::wstring& arguments);
    // A click on the main window's "Command" label, which does nothing else.
    void activate();
    // Alt and the menu's letter, then the item's keys once the menu is open.
    void chooseMenu(const wchar_t* menuKey, const wchar_t* itemKeys);
    // The main window's Hide, by its access key.
    void hide();
    // Right-clicks the tray icon and clicks the tray menu's item with this
    // caption.
    void chooseTrayItem(std::wstring_view caption);
    // Answers the Save As or Open dialog by typing a file name and Enter.
    void answerFileDialog(const wchar_t* title, const std::wstring& name);

    KeyreelProcess keyreel;
    std::wstring folder;
    HWND main = nullptr;

  private:
    std::wstring startFolder_;
};

}  // namespace keyreel::e2e
