#pragma once

// The macro editor's menu bar: File with its recent-file entries, and Edit.

#include <string>
#include <vector>

#include "win32/owned.h"

namespace keyreel::ui {

enum EditorCommand : int {
    kNewCommand = 2001,
    kOpenCommand = 2002,
    kSaveAsCommand = 2003,
    kCloseSaveCommand = 2004,
    kEditorExitCommand = 2005,
    kCutCommand = 2011,
    kCopyCommand = 2012,
    kPasteCommand = 2013,
    kCheckCommand = 2014,
    // Recent file i of the File menu.
    kFirstRecentFileCommand = 2100,
    kLastRecentFileCommand = 2999,
};

win32::OwnedMenu createEditorMenuBar();
// The File menu's entries after Exit: a separator and one entry per path,
// or nothing while there is none.
void showRecentFiles(HMENU menuBar, const std::vector<std::string>& paths);
// Cut and Copy are enabled only while text is selected; Paste always.
void enableEditItems(HMENU menuBar, bool textSelected);
// Whether `popup` is the Edit menu of the bar.
bool isEditMenu(HMENU menuBar, HMENU popup);

}  // namespace keyreel::ui
