#pragma once

// Macro files: one macro line per text line, CR LF line ends. Files are read
// as UTF-8 when they are UTF-8 (byte-order mark, or valid UTF-8 holding
// non-ASCII characters) and in the ANSI code page otherwise; they are written
// in the ANSI code page when every character survives, else as UTF-8 with a
// byte-order mark, so that no character is ever lost.

#include <optional>
#include <string>
#include <string_view>

#include "desktop.h"
#include "file_store.h"
#include "run_state.h"
#include "text.h"

namespace keyreel {

std::string decodeFileText(std::string_view bytes, const AnsiCodePage& codePage);
std::string encodeFileText(std::string_view text, const AnsiCodePage& codePage);

// The non-empty lines of a text; CR LF, CR and LF each end a line.
MacroList splitMacroLines(std::string_view text);

enum class SaveOutcome { Saved, Declined, Failed };

class MacroFiles {
  public:
    MacroFiles(FileStore& files, Desktop& desktop, const AnsiCodePage& codePage = defaultCodePage())
        : files_(files), desktop_(desktop), codePage_(codePage) {}

    // Replaces the list with the file's lines; a file that cannot be read
    // leaves the list as it was and returns false.
    bool loadList(const std::string& path, MacroList& list);
    // Asks before overwriting; reports a failed write with a message box.
    SaveOutcome saveList(const std::string& path, const MacroList& list);
    // Writes the text unchanged, followed by one CR LF, without asking.
    bool saveText(const std::string& path, std::string_view text);
    std::optional<std::string> readText(const std::string& path);

  private:
    bool write(const std::string& path, std::string_view text);

    FileStore& files_;
    Desktop& desktop_;
    const AnsiCodePage& codePage_;
};

}  // namespace keyreel
