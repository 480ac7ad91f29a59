#include "e2e_support.h"

#include <fstream>

#include "win32/registry_settings_store.h"
#include "win32/wide_text.h"

namespace keyreel::e2e {

namespace {

void closeWindowsOfOthers(std::wstring_view titlePart) {
    while (const HWND window = probe::findWindow(titlePart)) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        if (processId == GetCurrentProcessId())
            return;
        const HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
        if (process == nullptr)
            return;
        TerminateProcess(process, 0);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}

}  // namespace

std::wstring fromBuildPath(const char* unixPath) {
    // The build passes Unix paths; Wine shows the root as drive Z:.
    std::wstring path = win32::toWide(unixPath);
    for (wchar_t& c : path) {
        if (c == L'/')
            c = L'\\';
    }
    return L"Z:" + path;
}

std::wstring keyreelExecutable() {
    return fromBuildPath(KEYREEL_EXE);
}

bool ChildProcess::start(std::wstring commandLine, const std::wstring& currentFolder) {
    kill();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    return CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
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

std::wstring besideThisProgram(const wchar_t* name) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path = self;
    return path.substr(0, path.find_last_of(L'\\') + 1) + name;
}

TargetWindow::TargetWindow(const wchar_t* title) {
    if (!process_.start(L"\"" + besideThisProgram(L"e2e_target.exe") + L"\" " + title)) {
        ADD_FAILURE() << "the target program did not start";
        return;
    }
    // The frame can be found before its edit control exists. The first
    // start of the program in a test run takes a while on a busy machine.
    waitFor(
        [&] {
            frame_ = FindWindowW(L"KeyreelE2ETarget", title);
            edit_ = frame_ != nullptr ? GetDlgItem(frame_, 1) : nullptr;
            return edit_ != nullptr;
        },
        30000);
    if (edit_ == nullptr)
        ADD_FAILURE() << "the target window did not appear";
    activate();
}

void TargetWindow::activate() {
    bringToFront(frame_, edit_, 2000);
}

bool Notepad::open() {
    if (!process_.start(L"notepad.exe"))
        return false;
    // Notepad is titled "Notepad" for a moment before it takes this title.
    waitFor(
        [&] {
            frame_ = probe::findWindow(L"Untitled - Notepad");
            edit_ = frame_ != nullptr ? probe::findChild(frame_, L"Edit") : nullptr;
            return edit_ != nullptr;
        },
        20000);
    if (edit_ == nullptr)
        return false;
    return bringToFront(frame_, edit_, 5000);
}

bool Notepad::inMenuMode() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(frame_, nullptr), &info) &&
           (info.flags & GUI_INMENUMODE) != 0;
}

bool KeyreelProcess::start(const std::wstring& arguments, const std::wstring& currentFolder) {
    std::wstring command = L"\"" + keyreelExecutable() + L"\"";
    if (!arguments.empty())
        command += L" " + arguments;
    return ChildProcess::start(command, currentFolder);
}

void KeyreelTest::SetUp() {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Keyreel");
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder = std::wstring(temp) + L"keyreel-e2e\\";
    CreateDirectoryW(folder.c_str(), nullptr);
}

void KeyreelTest::TearDown() {
    keyreel.kill();
    closeWindowsOfOthers(L"Notepad");
    closeWindowsOfOthers(kAppTitle);
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

void KeyreelTest::markDownloaded(const std::wstring& path) {
    std::ofstream((path + L":Zone.Identifier").c_str(), std::ios::binary)
        << "[ZoneTransfer]\r\nZoneId=3\r\nHostUrl=https://example.test/m.kyr\r\n";
}

HWND KeyreelTest::mainWindow(DWORD timeoutMillis) {
    HWND window = nullptr;
    waitFor([&] { return (window = FindWindowW(L"KeyreelMainWindow", nullptr)) != nullptr; },
            timeoutMillis);
    return window;
}

std::wstring KeyreelTest::title() {
    return probe::windowText(mainWindow(0));
}

bool KeyreelTest::waitForTitle(const wchar_t* wanted, DWORD timeoutMillis) {
    return waitFor([&] { return title() == wanted; }, timeoutMillis);
}

}  // namespace keyreel::e2e
