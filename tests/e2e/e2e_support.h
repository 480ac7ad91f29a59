#pragma once

// Starting the real keyreel.exe and watching what it does, from a test
// program running beside it under the same Wine.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "window_probe.h"

namespace keyreel::e2e {

inline constexpr const wchar_t* kIdleTitle = L"Tobrin's Keyreel   x";
inline constexpr const wchar_t* kPlayingTitle = L"Tobrin's Keyreel   \u00BB";
inline constexpr const wchar_t* kStoppedTitle = L"Tobrin's Keyreel   \u00D7";
inline constexpr const wchar_t* kAppTitle = L"Tobrin's Keyreel";

using probe::waitFor;

// A program started by the test, ended with this object.
class ChildProcess {
  public:
    ChildProcess() = default;
    ~ChildProcess() { kill(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool start(std::wstring commandLine);
    bool running() const;
    bool waitForExit(DWORD millis) const;
    void kill();

  private:
    PROCESS_INFORMATION process_{};
};

// A separate program with an edit control filling its window: macros type
// into it as into any other program.
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

// The Windows path of the keyreel.exe under test.
std::wstring keyreelExecutable();

// keyreel.exe with the arguments after its name.
class KeyreelProcess : public ChildProcess {
  public:
    bool start(const std::wstring& arguments);
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
    // The main window of keyreel.exe, shown or hidden.
    HWND mainWindow(DWORD timeoutMillis = 10000);
    std::wstring title();
    bool waitForTitle(const wchar_t* wanted, DWORD timeoutMillis);
    // Real key presses on the X display, like `ctrl+alt+r`.
    void pressKeys(const std::wstring& keys);

    KeyreelProcess keyreel;
    std::wstring folder;
};

}  // namespace keyreel::e2e
