// Programs, documents and message boxes.

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "win32/owned.h"
#include "win32/send_input.h"
#include "win32/wide_text.h"
#include "win32/win32_desktop.h"

namespace keyreel::win32 {

namespace {

UINT messageBoxStyle(const MessageRequest& request, bool ownerShown) {
    UINT style = MB_OK;
    if (request.buttons == MessageButtons::YesNo)
        style = MB_YESNO;
    if (request.buttons == MessageButtons::YesNoCancel)
        style = MB_YESNOCANCEL;
    if (request.icon == MessageIcon::Question)
        style |= MB_ICONQUESTION;
    if (request.icon == MessageIcon::Exclamation)
        style |= MB_ICONEXCLAMATION;
    if (request.defaultNo)
        style |= MB_DEFBUTTON2;
    // A macro's box must be seen even while Keyreel sits in the tray; with no
    // window of Keyreel on screen it also stays above the other programs.
    style |= MB_SETFOREGROUND;
    if (!ownerShown)
        style |= MB_TOPMOST;
    return style;
}

}  // namespace

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
    // What the shell made of the request is not looked at; 0 means the
    // system lacked the resources to make it at all.
    return result != 0;
}

MessageAnswer Win32Desktop::showMessage(const MessageRequest& request) {
    const HWND owner = IsWindow(messageOwner_) ? messageOwner_ : nullptr;
    const UINT style = messageBoxStyle(request, owner != nullptr && IsWindowVisible(owner));
    claimForegroundRight();
    const int answer =
        MessageBoxW(owner, toWide(request.text).c_str(), toWide(request.title).c_str(), style);
    switch (answer) {
        case IDYES:
            return MessageAnswer::Yes;
        case IDNO:
            return MessageAnswer::No;
        case IDOK:
            return MessageAnswer::Ok;
        case IDCANCEL:
            return MessageAnswer::Cancel;
        default:
            break;
    }
    // The box could not be shown, or the program is ending: take the
    // default, and never the answer that would throw something away.
    if (request.buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    if (request.buttons == MessageButtons::YesNoCancel)
        return MessageAnswer::Cancel;
    return request.defaultNo ? MessageAnswer::No : MessageAnswer::Yes;
}

}  // namespace keyreel::win32
