#pragma once

// The macro text editor's document: the text, the file it was last opened
// from or saved to, the title, the recent files, the Commands list, and the
// File menu's flows with their questions. The window mirrors it. Files go
// through MacroFiles, questions through message boxes, dialogs through the
// ChooseFile function the program supplies.

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/base/file_dialog.h"
#include "core/base/message_boxes.h"
#include "core/base/save_questions.h"
#include "core/macro/macro_file.h"

namespace keyreel {

inline constexpr const char* kUntitled = "Untitled";

// The words of the main window's command list, in the builder's order:
// what CopyList copies.
std::vector<std::string_view> mainCommandListWords();

class EditorObserver {
  public:
    virtual ~EditorObserver() = default;
    // The document replaced the whole text (New, Open).
    virtual void textReplaced() = 0;
    // The document added `added` at the end of the text.
    virtual void textAppended(std::string_view added) = 0;
    virtual void titleChanged() = 0;
    virtual void recentFilesChanged() = 0;
};

struct EditorServices {
    MessageBoxes& boxes;
    MacroFiles& files;
    ChooseFile chooseFile;
    // Sets macroLineCount from the main window's list, as every save does.
    std::function<void()> resetMacroLineCount;
};

class EditorDocument {
  public:
    explicit EditorDocument(EditorServices services) : services_(std::move(services)) {}

    void setObserver(EditorObserver* observer) { observer_ = observer; }

    // CopyList: the Commands list becomes these words, in order.
    void copyList(std::span<const std::string_view> words);
    const std::vector<std::string>& commandWords() const { return commandWords_; }
    // A double-click on a word of the Commands list: the word, " >" for a
    // word that takes a value, and CR LF go to the end of the text, wherever
    // the cursor is.
    void appendCommand(std::string_view word);

    const std::string& text() const { return text_; }
    // The user edited the text.
    void setText(std::string text) { text_ = std::move(text); }
    // The text differs from what was last opened or saved (or from the
    // empty text the editor starts with).
    bool modified() const { return text_ != savedText_; }
    std::string title() const;
    // The file last opened or saved, or "Untitled": the name the questions
    // use.
    std::string fileName() const { return fileName_.empty() ? kUntitled : fileName_; }
    const std::vector<std::string>& recentFiles() const { return recentFiles_; }

    // File > New.
    void newText();
    // File > Open...: the Open dialog, then openFile.
    void open();
    // Opens a chosen path or a recent-file entry. The file shown in the
    // title is not read again; a file that is not read is reported and
    // changes nothing else.
    void openFile(const std::string& path);
    // File > Save As...: asks before replacing an existing file. Every save
    // makes the title name the file saved to.
    void saveAs();
    // File > Close/Save: saves through the Save As dialog, asking before it
    // replaces an existing file other than the one last opened or saved.
    // True when saved, so the editor closes; a cancelled dialog, a declined
    // question or a failed save keeps it open with its text.
    bool closeSave();
    // File > Exit, the close box, Hide and every exit of the program. True
    // when the editor may close: nothing changed, or the user answered No,
    // or Yes and the text was saved. Cancel keeps the editor and its text.
    bool readyToClose() { return settleChanges(); }

  private:
    // Asks "Save changes to <name>?" when the text changed; true when the
    // text may now be dropped.
    bool settleChanges();
    bool saveChanges();
    SaveOutcome saveTo(const std::string& path, bool askBeforeReplacing);
    // The file's text, or nothing after telling the user why.
    std::optional<std::string> readFile(const std::string& path);
    void setTitleName(const std::string& name);
    void addRecentFile(const std::string& path);

    EditorServices services_;
    EditorObserver* observer_ = nullptr;
    std::vector<std::string> commandWords_;
    std::string text_;
    std::string savedText_;
    std::string fileName_;  // empty: Untitled
    // The text is that of a downloaded file: its saves carry the mark.
    bool fromMarked_ = false;
    std::string titleName_;  // what the title shows after the product name
    std::vector<std::string> recentFiles_;
};

}  // namespace keyreel
