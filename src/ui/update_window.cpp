#include "ui/update_window.h"

// After windows.h, which it needs.
#include <commctrl.h>

#include <vector>

#include "ui/date_pickers.h"
#include "win32/wide_text.h"

namespace keyreel::ui {

namespace {

enum ControlId : int {
    kHeading = 101,
    kTextBox = 102,
    kChoiceList = 103,
    kDatePicker = 104,
    kTimePicker = 105,
    kModifyButton = 106,
    kCancelButton = IDCANCEL,
};

constexpr UINT_PTR kChoiceKeysSubclass = 1;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;

// The editors share one spot; each opening shows one of them.
const std::vector<ControlPlacement>& layout() {
    static const std::vector<ControlPlacement> controls = {
        {L"STATIC", L"Update Information", SS_LEFT | SS_NOPREFIX, kHeading, 120, 60, 2400, 255},
        {L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, kTextBox, 120, 360, 2400, 315,
         WS_EX_CLIENTEDGE},
        {L"COMBOBOX", L"", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, kChoiceList,
         120, 360, 2400, 2100},
        {DATETIMEPICK_CLASSW, L"", DTS_SHORTDATEFORMAT | WS_TABSTOP, kDatePicker, 120, 360, 2400,
         315},
        {DATETIMEPICK_CLASSW, L"", DTS_TIMEFORMAT | WS_TABSTOP, kTimePicker, 120, 360, 2400, 315},
        {L"BUTTON", L"Modify", kButton, kModifyButton, 120, 780, 1095, 375},
        {L"BUTTON", L"Cancel", kButton, kCancelButton, 1425, 780, 1095, 375},
    };
    return controls;
}

int editorId(CellEditorKind kind) {
    switch (kind) {
        case CellEditorKind::ChoiceList:
            return kChoiceList;
        case CellEditorKind::DatePicker:
            return kDatePicker;
        case CellEditorKind::TimePicker:
            return kTimePicker;
        case CellEditorKind::TextBox:
            break;
    }
    return kTextBox;
}

}  // namespace

bool UpdateWindow::open(HWND owner, const CellEdit& edit, POINT at) {
    if (loaded())
        unload();
    initDatePickers();
    edit_ = edit;
    owner_ = owner;
    const Frame frame{L"KeyreelUpdateWindow",
                      "",
                      WS_POPUP | WS_BORDER,
                      WS_EX_TOOLWINDOW,
                      2640,
                      1260,
                      owner,
                      nullptr};
    if (!create(frame, layout()))
        return false;
    setDateFormat(control(kDatePicker));
    setTimeFormat(control(kTimePicker));
    for (const char* choice : edit_.choices) {
        SendMessageW(control(kChoiceList), CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(win32::toWide(choice).c_str()));
    }
    COMBOBOXINFO combo{};
    combo.cbSize = sizeof combo;
    if (GetComboBoxInfo(control(kChoiceList), &combo)) {
        SetWindowSubclass(combo.hwndItem, &UpdateWindow::choiceKeysProc, kChoiceKeysSubclass,
                          reinterpret_cast<DWORD_PTR>(this));
    }
    setControlText(kTextBox, edit_.editor == CellEditorKind::TextBox ? edit_.text : "");
    setControlText(kChoiceList, edit_.editor == CellEditorKind::ChoiceList ? edit_.text : "");
    setPickerValue(control(kDatePicker), edit_.picker);
    setPickerValue(control(kTimePicker), edit_.picker);
    const HWND editor = editorControl();
    for (const int id : {kTextBox, kChoiceList, kDatePicker, kTimePicker})
        ShowWindow(control(id), control(id) == editor ? SW_SHOW : SW_HIDE);

    SetWindowPos(hwnd(), HWND_TOP, at.x, at.y, 0, 0, SWP_NOSIZE);
    // Modal over the scheduler window, which is enabled again as this goes.
    EnableWindow(owner_, FALSE);
    ShowWindow(hwnd(), SW_SHOW);
    SetForegroundWindow(hwnd());
    SetFocus(editor);
    return true;
}

bool UpdateWindow::unload() {
    if (owner_ != nullptr)
        EnableWindow(owner_, TRUE);
    return Window::unload();
}

HWND UpdateWindow::editorControl() const {
    return control(editorId(edit_.editor));
}

void UpdateWindow::modify() {
    const HWND editor = editorControl();
    switch (edit_.editor) {
        case CellEditorKind::TextBox:
        case CellEditorKind::ChoiceList:
            edit_.text = controlText(editor);
            break;
        case CellEditorKind::DatePicker:
        case CellEditorKind::TimePicker:
            edit_.picker = pickerValue(editor);
            break;
    }
    if (!onModify || onModify(edit_))
        unload();
}

void UpdateWindow::keyInChoiceList() {
    edit_.keyInChoiceList();
    setControlText(kChoiceList, edit_.text);
}

LRESULT UpdateWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case kModifyButton:
                    modify();
                    return 0;
                case IDOK:
                    // Enter, through the dialog keys of the message loop.
                    if (GetFocus() == control(kTextBox))
                        modify();
                    return 0;
                case kCancelButton:
                    unload();
                    return 0;
                default:
                    break;
            }
            break;
        case WM_CLOSE:
            unload();
            return 0;
        case WM_DESTROY:
            // Destroyed with its owner, or by the program's end.
            if (owner_ != nullptr)
                EnableWindow(owner_, TRUE);
            owner_ = nullptr;
            break;
        default:
            break;
    }
    return Window::handleMessage(message, wParam, lParam);
}

LRESULT CALLBACK UpdateWindow::choiceKeysProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam,
                                              UINT_PTR, DWORD_PTR self) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_CHAR:
        case WM_KEYUP:
            reinterpret_cast<UpdateWindow*>(self)->keyInChoiceList();
            return 0;
        case WM_NCDESTROY:
            RemoveWindowSubclass(edit, &UpdateWindow::choiceKeysProc, kChoiceKeysSubclass);
            break;
        default:
            break;
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

}  // namespace keyreel::ui
