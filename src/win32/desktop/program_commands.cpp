// Programs and documents, and the message boxes of a play.

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "core/macro/program_search.h"
#include "win32/desktop/win32_desktop.h"
#include "win32/message_box.h"
#include "win32/owned.h"
#include "win32/program_places.h"
#include "win32/wide_text.h"

namespace keyreel::win32 {

StartResult Win32Desktop::startProgram(const std::string& commandLine) {
    if (namesNoProgram(commandLine))
        return StartResult::InvalidCommandLine;
    const std::optional<ProgramStart> found = findProgram(commandLine, programPlaces());
    if (!found)
        return StartResult::Failed;
    // Started by its full path, so that the system searches nowhere itself.
    const std::wstring program = toWide(found->program);
    const std::wstring folder = toWide(found->folder);
    // CreateProcessW may write into the command line.
    std::wstring line = toWide(found->commandLine());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
        return GetLastError() == ERROR_INVALID_PARAMETER ? StartResult::InvalidCommandLine
                                                         : StartResult::Failed;
    }
    // Nothing waits on the program; its handles are given back at once.
    const OwnedHandle thread(process.hThread);
    const OwnedHandle started(process.hProcess);
    return StartResult::Started;
}

bool Win32Desktop::shellOpen(const std::string& path) {
    const std::optional<std::string> document = documentPath(path, programPlaces());
    if (!document)
        return false;
    const std::wstring file = toWide(*document);
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
