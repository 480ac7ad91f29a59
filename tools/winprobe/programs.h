#pragma once

// Programs that the tests and scripts start under Wine: Windows programs, and commands of the
// machine (xdotool, xwininfo).

#include <windows.h>

#include <string>
#include <string_view>

namespace keyreel::probe {

// A program started here, ended with this object.
class ChildProcess {
  public:
    ChildProcess() = default;
    ~ChildProcess() { kill(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // In this process's current folder unless another is given.
    bool start(std::wstring commandLine, const std::wstring& currentFolder = L"", DWORD flags = 0);
    bool running() const;
    bool waitForExit(DWORD millis) const;
    void kill();
    // Its first thread handles its windows' messages.
    bool suspendMainThread() const;
    bool resumeMainThread() const;

  private:
    PROCESS_INFORMATION process_{};
};

// How Wine names a file of the machine (drive Z: is the root).
std::wstring windowsPath(std::wstring_view unixPath);

// Starts a command of the machine and returns at once, as Wine's start.exe does.
bool runUnixProgram(const std::wstring& commandLine);
// Runs shell lines to their end (at most two minutes), so that actions reach the display in order.
bool runUnixProgramToEnd(const std::wstring& commandLine);

// Until the X server shows the window's top-level window where Wine has it (Wine calls it moved
// before the window manager has put it there), then runs the command.
bool runWhenPlacedOnDisplay(HWND window, const std::wstring& commandLine, DWORD timeoutMillis);
bool waitForPlacedOnDisplay(HWND window, DWORD timeoutMillis);

}  // namespace keyreel::probe
