#include "win32/html_help.h"

#include <htmlhelp.h>

namespace keyreel::win32 {

bool HelpViewer::loadViewer() {
    if (htmlHelp_ != nullptr)
        return true;
    viewer_.reset(LoadLibraryW(L"hhctrl.ocx"));
    if (!viewer_)
        return false;
    htmlHelp_ = reinterpret_cast<HtmlHelpFunction>(
        reinterpret_cast<void*>(GetProcAddress(viewer_.get(), "HtmlHelpW")));
    return htmlHelp_ != nullptr;
}

HelpViewer::Result HelpViewer::show(const std::wstring& file, UINT command, DWORD_PTR data) {
    if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES)
        return Result::FileMissing;
    if (!loadViewer())
        return Result::ViewerMissing;
    // No owner: the help stays open when the main window hides.
    return htmlHelp_(nullptr, file.c_str(), command, data) != nullptr ? Result::Shown
                                                                      : Result::Failed;
}

HelpViewer::Result HelpViewer::showIndex(const std::wstring& file) {
    // The keyword to look up first: none.
    static const wchar_t noKeyword[] = L"";
    return show(file, HH_DISPLAY_INDEX, reinterpret_cast<DWORD_PTR>(noKeyword));
}

HelpViewer::Result HelpViewer::showContents(const std::wstring& file) {
    return show(file, HH_DISPLAY_TOC, 0);
}

void HelpViewer::closeAll() {
    if (htmlHelp_ != nullptr)
        htmlHelp_(nullptr, nullptr, HH_CLOSE_ALL, 0);
}

}  // namespace keyreel::win32
