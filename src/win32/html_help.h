#pragma once

// Shows the program's HTML Help (a .chm file) with the system's help viewer,
// hhctrl.ocx, loaded when help is first asked for. The help windows belong
// to this program and are closed with closeAll.

#include <windows.h>

#include <string>

#include "win32/owned.h"

namespace keyreel::win32 {

class HelpViewer {
  public:
    enum class Result { Shown, FileMissing, ViewerMissing, Failed };

    HelpViewer() = default;
    HelpViewer(const HelpViewer&) = delete;
    HelpViewer& operator=(const HelpViewer&) = delete;

    // Opens the help file at its index, the finder of help topics.
    Result showIndex(const std::wstring& file);
    // Opens the help file at its table of contents.
    Result showContents(const std::wstring& file);
    // Closes every help window opened so far.
    void closeAll();

  private:
    using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);

    Result show(const std::wstring& file, UINT command, DWORD_PTR data);
    bool loadViewer();

    OwnedLibrary viewer_;
    HtmlHelpFunction htmlHelp_ = nullptr;
};

}  // namespace keyreel::win32
