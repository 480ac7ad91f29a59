#pragma once

// Starting the real keyreel.exe and watching what it does, from a test
// program running beside it under the same Wine.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "user_input.h"
#include "window_probe.h"

namespace keyreel::e2e {

inline constexpr const wchar_t* kIdleTitle = L"Tobrin's Keyreel   x";
inline constexpr const wchar_t* kPlayingTitle = L"Tobrin's Keyreel   \u00BB";
inline constexpr const wchar_t* kStoppedTitle = L"Tobrin's Keyreel   \u00D7";
inline constexpr const wchar_t* kAppTitle = L"Tobrin's Keyreel";

// The one library that finds, reads, waits for and operates windows.
using namespace probe;

// A program started by the test, ended with this object.
class ChildProcess {
  public:
    ChildProcess() = default;
    ~ChildProcess() { kill(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // In the test's current folder unless another is given.
    bool start(std::wstring commandLine, const std::wstring& currentFolder = L"");
    bool running() const;
    bool waitForExit(DWORD millis) const;
    void kill();
    // Holds and lets go the program's first thread, where a Windows program
    // handles its windows' messages.
    bool suspendMainThread() const;
    bool resumeMainThread() const;

  private:
    PROCESS_INFORMATION process_{};
};

// A separate program with an edit control filling its window: macros type
// into it as into any other program.
// The file of this name in the folder of the test program.
std::wstring besideThisProgram(const wchar_t* name);

class TargetWindow {
  public:
    explicit TargetWindow(const wchar_t* title = L"KR Target");
    TargetWindow(const TargetWindow&) = delete;
    TargetWindow& operator=(const TargetWindow&) = delete;

    std::wstring text() const { return probe::windowText(edit_); }
    void activate();

  private:
    ChildProcess process_;
    HWND frame_ = nullptr;
    HWND edit_ = nullptr;
};

// The Windows path of a file or folder the build names by its Unix path.
std::wstring fromBuildPath(const char* unixPath);
// The Windows path of the keyreel.exe under test.
std::wstring keyreelExecutable();

// Wine's notepad, a program with a menu bar that nobody here wrote, in front
// with the keyboard focus in its text.
class Notepad {
  public:
    Notepad() = default;
    Notepad(const Notepad&) = delete;
    Notepad& operator=(const Notepad&) = delete;

    // Starts it and brings it to the front; false when it did not come.
    bool open();
    std::wstring text() const { return probe::windowText(edit_); }
    // Whether its window's thread is in a menu, the menu bar included.
    bool inMenuMode() const;

  private:
    ChildProcess process_;
    HWND frame_ = nullptr;
    HWND edit_ = nullptr;
};

// keyreel.exe with the arguments after its name.
class KeyreelProcess : public ChildProcess {
  public:
    bool start(const std::wstring& arguments, const std::wstring& currentFolder = L"");
};

// The test fixture: clean settings, a folder for macro files, and clean-up
// of every window a macro may have opened.
class KeyreelTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    void setSetting(const char* section, const char* key, const char* value);
    // Writes the lines as a macro file and returns its path.
    std::wstring writeMacro(const std::wstring& name, const std::string& utf8Lines);
    // Marks the file as a download from the internet, as a browser does.
    static void markDownloaded(const std::wstring& path);
    // The main window of keyreel.exe, shown or hidden.
    HWND mainWindow(DWORD timeoutMillis = 10000);
    std::wstring title();
    bool waitForTitle(const wchar_t* wanted, DWORD timeoutMillis);

    KeyreelProcess keyreel;
    std::wstring folder;
};

}  // namespace keyreel::e2e
