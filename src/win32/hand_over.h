#pragma once

// Handing a macro file over to the copy of the program that already runs:
// a second copy started with a file (a double-clicked .kyr) sends its
// command line to the running copy's main window with WM_COPYDATA and ends;
// one started without a file asks the running copy to show itself.

#include <windows.h>

#include <optional>
#include <string>

namespace keyreel::win32 {

// Sends the command line to the main window of the running copy, whose
// class is `mainWindowClass`, allowing it to come to the front; false when
// no window took it in time. The running copy may be starting too, so its
// window is waited for up to `waitMillis`.
bool handOverToRunningCopy(const wchar_t* mainWindowClass, const std::wstring& commandLine,
                           DWORD waitMillis = 5000);

// Asks the running copy to show its main window in front, also from the
// notification area; false when no window took the request in time.
bool showRunningCopy(const wchar_t* mainWindowClass, DWORD waitMillis = 5000);

// The full path of `path` in this process's current folder; empty when the
// system cannot resolve it.
std::wstring fullPathOf(const std::wstring& path);

// The command line a WM_COPYDATA message carries, as UTF-8, when the message
// is a hand-over of a sane size; empty otherwise.
std::optional<std::string> handedOverCommandLine(const COPYDATASTRUCT& data);
// Whether a WM_COPYDATA message asks to show the main window.
bool asksToShowWindow(const COPYDATASTRUCT& data);

// Whether the file counts as downloaded, by its Zone.Identifier stream or the
// zone manager (core/base/web_mark.h).
bool carriesWebMark(const std::wstring& path);

}  // namespace keyreel::win32
