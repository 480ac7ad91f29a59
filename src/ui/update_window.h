#pragma once

// The update window: the in-place editor that a double click on a cell of
// the entry list opens at the point clicked. Of its four editors, which lie
// on one spot, only the one the column needs shows; "Modify", or Enter in
// the text box, writes its value into that one cell. It is modal over the
// scheduler window: that window stays disabled while it is open, and the
// schedule goes on meanwhile.

#include <functional>

#include "core/schedule/cell_editor.h"
#include "ui/window.h"

namespace keyreel::ui {

class UpdateWindow final : public Window {
  public:
    // Opens the editor prepared afresh with its top-left corner at `at`
    // (screen pixels), over `owner`.
    bool open(HWND owner, const CellEdit& edit, POINT at);
    // Enables the owner again before the window goes.
    bool unload() override;

    // "Modify": hands over the edit with the editor's value; true closes
    // the window, false keeps it for the value to be corrected.
    std::function<bool(const CellEdit&)> onModify;

  private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    HWND editorControl() const;
    void modify();
    // A key in the choice list empties it: a choice is made with the mouse.
    void keyInChoiceList();
    static LRESULT CALLBACK choiceKeysProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR id, DWORD_PTR self);

    CellEdit edit_;
    HWND owner_ = nullptr;  // not owned: the scheduler window
};

}  // namespace keyreel::ui
