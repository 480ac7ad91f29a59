#pragma once

// What a window asks of the shared Open and Save As dialogs. The windows get
// a ChooseFile function from the program, so the core's flows can be tested
// with answers given by the test.

#include <functional>
#include <optional>
#include <string>

namespace keyreel {

struct FileDialogRequest {
    enum class Kind { Open, SaveAs };
    Kind kind = Kind::Open;
    // Pairs of description and pattern, all joined by "|".
    std::string filter;
    // The pair preselected, counted from 1.
    int filterIndex = 1;
    bool operator==(const FileDialogRequest&) const = default;
};

// The Open dialog of the main window's Load and the tray's Load Macro: macro
// files only.
inline FileDialogRequest macroListLoadDialog() {
    return {FileDialogRequest::Kind::Open, "Tobrin Files (*.kyr)|*.kyr", 1};
}

// The Open dialog for one macro file to play: every file, macro files
// (preselected) or text files.
inline FileDialogRequest macroFileOpenDialog() {
    return {FileDialogRequest::Kind::Open,
            "All Files (*.*)|*.*|Tobrins Keyreel (.kyr)|*.kyr|Text Files (.txt)|*.txt", 2};
}

// The Save As dialog of every window that saves a macro file: text files,
// then Tobrin files (preselected).
inline FileDialogRequest macroFileSaveDialog() {
    return {FileDialogRequest::Kind::SaveAs, "Text Files (*.txt)|*.txt|Tobrin Files (*.kyr)|*.kyr",
            2};
}

// The full path chosen; empty when the dialog was cancelled or failed.
using ChooseFile = std::function<std::optional<std::string>(const FileDialogRequest&)>;

}  // namespace keyreel
