// Programs and documents, and the message boxes of a play.

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "win32/message_box.h"
#include "win32/owned.h"
#include "win32/wide_text.h"
#include "win32/win32_desktop.h"

namespace keyreel::win32 {

StartResult Win32Desktop::startProgram(const std::string& commandLine) {
    if (commandLine.empty())
        return StartResult::InvalidCommandLine;
    // CreateProcessW may write into the command line.
    std::wstring line = toWide(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return GetLastError() == ERROR_INVALID_PARAMETER ? StartResult::InvalidCommandLine
                                                         : StartResult::Failed;
    }
    // Nothing waits on the program; its handles are given back at once.
    const OwnedHandle thread(process.hThread);
    const OwnedHandle started(process.hProcess);
    return StartResult::Started;
}

bool Win32Desktop::shellOpen(const std::string& path) {
    const std::wstring file = toWide(path);
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(GetDesktopWindow(), L"open", file.c_str(), L"", L"C:\\", SW_SHOWNORMAL));
    // 32 and less are the shell's errors: no such file, no program
    // registered for its type, or too few resources to ask at all.
    return result > 32;
}

MessageAnswer Win32Desktop::showMessage(const MessageRequest& request) {
    return showMessageBox(IsWindow(messageOwner_) ? messageOwner_ : nullptr, request);
}

}  // namespace keyreel::win32
