#pragma once

// Programs that the tests and scripts start under Wine: Windows programs,
// and commands of the machine (xdotool, xwininfo) run from Wine.

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
    // Holds and lets go the program's first thread, where a Windows program
    // handles its windows' messages.
    bool suspendMainThread() const;
    bool resumeMainThread() const;

  private:
    PROCESS_INFORMATION process_{};
};

// The name under which Wine sees a file of the machine (drive Z: is the root).
std::wstring windowsPath(std::wstring_view unixPath);

// Starts a command of the machine and returns at once: Wine's start.exe does
// not wait for a Unix program. The caller waits for what it does.
bool runUnixProgram(const std::wstring& commandLine);
// Runs a command of the machine (a line of the shell) and returns once it has
// ended; false when it could not start or did not end within two minutes.
// Actions on the display made one after another so reach it in their order;
// what one did may still be on its way.
bool runUnixProgramToEnd(const std::wstring& commandLine);
// Runs it so and tells whether it ended with exit status 0.
bool unixCommandSucceeds(const std::wstring& commandLine);

// Runs the command line once the X server shows the window's top-level
// window where Wine has it, within the time; false when it did not come to
// be or the command failed. Wine calls a window visible, or moved, before
// the window manager has put it there on the display.
bool runWhenPlacedOnDisplay(HWND window, const std::wstring& commandLine, DWORD timeoutMillis);
bool waitForPlacedOnDisplay(HWND window, DWORD timeoutMillis);

}  // namespace keyreel::probe
