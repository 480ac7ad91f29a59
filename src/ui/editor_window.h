#pragma once

// The macro text editor: the text of a macro file, the "Commands" list
// beside it, the File and Edit menus, and the Check of the text with its
// findings beside the text. It mirrors EditorDocument, which holds the
// text, the file, the recent files and the questions.

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "core/editor/editor_document.h"
#include "core/macro/lint.h"
#include "ui/window.h"
#include "win32/message_box.h"

namespace keyreel::ui {

class EditorWindow final : public Window, private EditorObserver {
  public:
    // `resetMacroLineCount` sets macroLineCount from the main window's list,
    // as every save does.
    EditorWindow(MacroFiles& files, std::function<void()> resetMacroLineCount);

    // Creates the editor with an empty text, centred on the screen; an open
    // editor comes to the front as it is.
    bool open();
    // Closes the editor, asking first about text that changed since it was
    // last opened or saved; false when the user chose Cancel (or a save the
    // user asked for failed): the editor stays with its text.
    bool unload() override;

  private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void created() override;
    void dpiChanged() override { placeControls(); }
    void command(int id, int notification);
    void fileCommand(int id);
    // The text beside the lists gets the rest of the window's inner area.
    void placeControls();
    // Hands what the user typed to the document, before it is used.
    void pullText();
    void appendChosenCommand();
    void check();
    void makeRoomForFindings();
    void findingChosen();
    static LRESULT CALLBACK keyProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR self);

    void textReplaced() override;
    void textAppended(std::string_view added) override;
    void titleChanged() override;
    void recentFilesChanged() override;

    MacroFiles& files_;
    std::function<void()> resetMacroLineCount_;
    win32::WindowMessageBoxes boxes_;
    // A new document for every new window: it starts empty, without recent
    // files.
    std::optional<EditorDocument> document_;
    // The findings listed, row by row; none for the row saying there are none.
    std::vector<LintFinding> findings_;
    bool findingsShown_ = false;
};

}  // namespace keyreel::ui
