#pragma once

// Macro files: one macro line per text line, CR LF line ends, in the
// encodings of core/base/encoding.h. Every routine reports what happened and
// leaves asking and telling the user to its caller.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/base/file_store.h"
#include "core/base/message_boxes.h"
#include "core/base/text.h"
#include "core/macro/macro_list.h"

namespace keyreel {

// The non-empty lines of a text; CR LF, CR and LF each end a line.
MacroList splitMacroLines(std::string_view text);
// The lines, each followed by CR LF.
std::string macroListText(const MacroList& list);
// The one message for a macro file that could not be read, wherever a play
// or a load asked for it.
MessageRequest unreadableMacroFileMessage(const std::string& path);

// What reading a macro file came to. A file holding NUL characters is
// refused rather than read: an edit control shows such a text cut at the
// first one, so the editor's next save would drop the rest. UTF-16 text
// without a byte-order mark is refused this way too. A file larger than
// kLargestReadFile is refused before it is read.
enum class MacroFileRead { Read, Unreadable, NulCharacters, TooLarge };

// The message for a macro file that was refused for its NUL characters.
MessageRequest nulCharactersMessage(const std::string& path);
// The message for a macro file that was refused for its size.
MessageRequest tooLargeMessage(const std::string& path);
// Shows the message for a read that failed; true when the file was read.
bool tellIfUnread(MessageBoxes& boxes, const std::string& path, MacroFileRead read);

class MacroFiles {
  public:
    explicit MacroFiles(FileStore& files, const AnsiCodePage& codePage = defaultCodePage(),
                        std::uint64_t largestFile = kLargestReadFile)
        : files_(files), codePage_(codePage), largestFile_(largestFile) {}

    bool exists(const std::string& path) { return files_.exists(path); }
    // Whether the file counts as downloaded (core/base/web_mark.h).
    bool webMarked(const std::string& path) { return files_.webMarked(path); }
    // Replaces the list with the file's lines; a file that is not read
    // leaves the list as it was.
    MacroFileRead loadList(const std::string& path, MacroList& list);
    // The saves keep the download mark: a file that had it keeps it, and a
    // text that came from a marked file (`fromMarked`) carries it to
    // wherever it is saved. A save that could not mark its file failed.
    bool saveList(const std::string& path, const MacroList& list, bool fromMarked = false);
    // Writes the text unchanged, followed by one CR LF.
    bool saveText(const std::string& path, std::string_view text, bool fromMarked = false);
    // Writes the text exactly as it is.
    bool write(const std::string& path, std::string_view text, bool fromMarked = false);
    // The file's whole text, line ends included; `text` is left as it was
    // when the file is not read.
    MacroFileRead readText(const std::string& path, std::string& text);

  private:
    FileStore& files_;
    const AnsiCodePage& codePage_;
    std::uint64_t largestFile_;
};

}  // namespace keyreel
