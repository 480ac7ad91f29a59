#include "programs.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <optional>

#include "win32/wide_text.h"
#include "window_probe.h"

namespace keyreel::probe {

bool ChildProcess::start(std::wstring commandLine, const std::wstring& currentFolder, DWORD flags) {
    kill();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    return CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, flags, nullptr,
                          currentFolder.empty() ? nullptr : currentFolder.c_str(), &startup,
                          &process_) != FALSE;
}

bool ChildProcess::running() const {
    return process_.hProcess != nullptr &&
           WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

bool ChildProcess::waitForExit(DWORD millis) const {
    return process_.hProcess == nullptr ||
           WaitForSingleObject(process_.hProcess, millis) == WAIT_OBJECT_0;
}

bool ChildProcess::suspendMainThread() const {
    return process_.hThread != nullptr && SuspendThread(process_.hThread) != static_cast<DWORD>(-1);
}

bool ChildProcess::resumeMainThread() const {
    return process_.hThread != nullptr && ResumeThread(process_.hThread) != static_cast<DWORD>(-1);
}

void ChildProcess::kill() {
    if (process_.hProcess == nullptr)
        return;
    TerminateProcess(process_.hProcess, 0);
    WaitForSingleObject(process_.hProcess, 5000);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
    process_ = {};
}

std::wstring windowsPath(std::wstring_view unixPath) {
    std::wstring path = L"Z:" + std::wstring(unixPath);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

bool runUnixProgram(const std::wstring& commandLine) {
    ChildProcess start;
    const bool ok = start.start(L"start.exe /wait /unix " + commandLine, L"", CREATE_NO_WINDOW);
    start.waitForExit(30000);  // time for start.exe to hand the command over
    return ok;
}

namespace {

// start.exe returns at once for a Unix program, /wait or not: the command runs from a script
// that leaves its exit status in a mark at its end. Nothing when it could not start or end.
std::optional<int> runShellLines(const std::wstring& commandLine) {
    static unsigned runs = 0;
    const std::wstring base = L"/tmp/keyreel-probe-" + std::to_wstring(GetCurrentProcessId()) +
                              L"-" + std::to_wstring(++runs);
    const std::wstring script = windowsPath(base + L".sh");
    const std::wstring mark = windowsPath(base + L".done");
    std::ofstream file(script.c_str(), std::ios::binary);
    file << win32::toUtf8(commandLine + L"\necho $? > " + base + L".part && mv " + base +
                          L".part " + base + L".done\n");
    file.close();
    std::optional<int> status;
    if (file && runUnixProgram(L"/bin/sh " + base + L".sh") &&
        waitFor([&] { return GetFileAttributesW(mark.c_str()) != INVALID_FILE_ATTRIBUTES; }, 120000,
                5)) {
        int code = -1;
        std::ifstream(mark.c_str()) >> code;
        status = code;
    }
    DeleteFileW(script.c_str());
    DeleteFileW(mark.c_str());
    return status;
}

// The shell test that the window's X window is viewable just inside Wine's rectangle (by the
// window manager's frame); until then a click reaches whatever the display still has there.
std::wstring placedTest(HWND window) {
    const HWND root = GetAncestor(window, GA_ROOT);
    const auto xWindow =
        reinterpret_cast<std::uintptr_t>(GetPropW(root, L"__wine_x11_whole_window"));
    RECT rect{};
    if (xWindow == 0 || !GetWindowRect(root, &rect))
        return L"";
    return L"xwininfo -id " + std::to_wstring(xWindow) + L" | awk -v x=" +
           std::to_wstring(rect.left) + L" -v y=" + std::to_wstring(rect.top) +
           L" '/Absolute upper-left X/ {ax = $4} /Absolute upper-left Y/ {ay = $4} "
           L"/Map State/ {shown = $3 == \"IsViewable\"} "
           L"END {dx = ax - x; dy = ay - y; exit !(shown && dx >= 0 && dx <= 16 && dy >= 0 && "
           L"dy <= 48)}'";
}

}  // namespace

bool runUnixProgramToEnd(const std::wstring& commandLine) {
    return runShellLines(commandLine).has_value();
}

// One shell script waits and acts, which costs no more than the action alone.
bool runWhenPlacedOnDisplay(HWND window, const std::wstring& commandLine, DWORD timeoutMillis) {
    const std::wstring test = placedTest(window);
    return !test.empty() &&
           runShellLines(L"tries=" + std::to_wstring(timeoutMillis / 50 + 1) + L"\nuntil " + test +
                         L"; do\n  tries=$((tries - 1))\n  [ $tries -gt 0 ] || " +
                         L"break\n  sleep 0.05\ndone\n[ $tries -gt 0 ] && " + commandLine) == 0;
}

// Asked anew each time: the window manager may still move the window.
bool waitForPlacedOnDisplay(HWND window, DWORD timeoutMillis) {
    return waitFor(
        [&] {
            const std::wstring test = placedTest(window);
            return !test.empty() && runShellLines(test) == 0;
        },
        timeoutMillis, 50);
}

}  // namespace keyreel::probe
