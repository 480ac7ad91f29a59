// The builder's side of the main window: the command chooser, the value
// field, the list's tooltip and the commands that change the list. The rules
// are MacroBuilder's; this file only reads the controls and shows results.

#include <utility>

#include "core/macro/command_table.h"
#include "core/main_window/pointer_display.h"
#include "ui/main_window.h"
#include "ui/main_window_controls.h"
#include "win32/file_dialogs.h"
#include "win32/wide_text.h"

namespace keyreel::ui {

namespace {

constexpr UINT_PTR kListSubclass = 1;
// Enough words shown at once when the chooser drops down.
constexpr int kVisibleWords = 16;

std::wstring itemText(HWND comboBox, LRESULT index) {
    const LRESULT length = SendMessageW(comboBox, CB_GETLBTEXTLEN, index, 0);
    if (length < 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(comboBox, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

}  // namespace

// fillCommandList: the chooser offers the builder's words with an empty text.
void MainWindow::createBuilder() {
    const HWND chooser = control(kCommandChooser);
    for (const std::string_view word : builderCommandWords()) {
        SendMessageW(chooser, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(win32::toWide(word).c_str()));
    }
    SendMessageW(chooser, CB_SETMINVISIBLE, kVisibleWords, 0);
    SetWindowTextW(chooser, L"");
    commandEdited_ = false;

    tooltips_.create(hwnd());
    tooltips_.add(control(kMacroList), "");
    tooltips_.add(control(kMouseLocation), kTrackerOnTip);
    SetWindowSubclass(control(kMacroList), &MainWindow::listProc, kListSubclass,
                      reinterpret_cast<DWORD_PTR>(this));
}

std::string MainWindow::chosenWord(std::int64_t& position) const {
    const HWND chooser = control(kCommandChooser);
    const std::string word = controlText(chooser);
    const LRESULT selected = SendMessageW(chooser, CB_GETCURSEL, 0, 0);
    // The position counts only while the text is still the chosen word.
    const bool chosen =
        !commandEdited_ && selected != CB_ERR && win32::toUtf8(itemText(chooser, selected)) == word;
    position = chosen ? static_cast<std::int64_t>(selected) : kNoPosition;
    return word;
}

std::string MainWindow::valueText() const {
    return controlText(control(kValueEdit));
}

std::int64_t MainWindow::selectedLine() const {
    const LRESULT selected = SendMessageW(control(kMacroList), LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? kNoPosition : static_cast<std::int64_t>(selected);
}

void MainWindow::addLine() {
    std::int64_t position = kNoPosition;
    const std::string word = chosenWord(position);
    const std::string value = valueText();
    builder_.add({word, position, value});
    setControlText(kValueEdit, "");
}

void MainWindow::insertLine() {
    std::int64_t position = kNoPosition;
    const std::string word = chosenWord(position);
    const std::string value = valueText();
    builder_.insert(selectedLine(), {word, position, value});
    setControlText(kValueEdit, "");
}

void MainWindow::deleteLine() {
    builder_.deleteLine(selectedLine());
}

void MainWindow::saveList() {
    if (const auto path = win32::chooseFile(hwnd(), macroFileSaveDialog()))
        builder_.save(*path);
}

void MainWindow::loadList() {
    if (const auto path = win32::chooseFile(hwnd(), macroListLoadDialog()))
        builder_.load(*path);
}

// The list's item-from-point answer flags a point below the last line as
// outside too; only the client area tells where the pointer really is.
void MainWindow::listPointerMoved(POINT at) {
    const HWND list = control(kMacroList);
    RECT client{};
    GetClientRect(list, &client);
    const bool inside = PtInRect(&client, at) != FALSE;
    std::int64_t nearest = kNoPosition;
    if (inside) {
        const LRESULT answer = SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(at.x, at.y));
        nearest = LOWORD(answer);
    }
    std::string tip = listTipText(model_.list(), nearest, inside);
    if (tip == listTip_)
        return;
    listTip_ = std::move(tip);
    tooltips_.setText(list, listTip_);
}

LRESULT CALLBACK MainWindow::listProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR self) {
    const WPARAM buttons = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;
    if (message == WM_MOUSEMOVE && (wParam & buttons) == 0) {
        reinterpret_cast<MainWindow*>(self)->listPointerMoved(
            {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(list, &MainWindow::listProc, kListSubclass);
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

}  // namespace keyreel::ui
