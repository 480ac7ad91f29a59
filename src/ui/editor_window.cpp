#include "ui/editor_window.h"

// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>

#include "core/base/product_texts.h"
#include "core/editor/check_list.h"
#include "ui/editor_menus.h"
#include "win32/file_dialogs.h"
#include "win32/wide_text.h"

namespace keyreel::ui {

namespace {

enum ControlId : int {
    kText = 100,
    kCommandsList = 101,
    kFindingsList = 102,
    kCommandsFrame = 103,
    kFindingsFrame = 104,
};

constexpr UINT_PTR kKeySubclass = 1;
// Twips: the columns beside the text, the frames' margins and caption room.
constexpr int kCommandsWidth = 2400;
constexpr int kFindingsWidth = 4800;
constexpr int kMargin = 120;
constexpr int kFrameCaption = 300;
// As much text as an edit control holds; no macro comes near it.
constexpr WPARAM kTextLimit = 0x7FFFFFFE;

constexpr DWORD kList = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;

// Creation order is the tab order; placeControls() sets the places.
const std::vector<ControlPlacement>& layout() {
    static const std::vector<ControlPlacement> controls = {
        {L"EDIT", L"",
         ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN | ES_NOHIDESEL |
             WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
         kText, 0, 0, 6600, 6000, WS_EX_CLIENTEDGE},
        {L"LISTBOX", L"", kList, kCommandsList, 6720, 300, 2160, 5580, WS_EX_CLIENTEDGE},
        {L"LISTBOX", L"", kList | WS_HSCROLL, kFindingsList, 0, 0, 0, 0, WS_EX_CLIENTEDGE},
        {L"BUTTON", L"Commands", BS_GROUPBOX, kCommandsFrame, 6600, 0, 2400, 6000},
        {L"BUTTON", L"Check", BS_GROUPBOX, kFindingsFrame, 0, 0, 0, 0},
    };
    return controls;
}

int textWidth(HWND control, const std::wstring& text) {
    const win32::WindowDc dc(control);
    const win32::SelectedObject font(
        dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

}  // namespace

EditorWindow::EditorWindow(MacroFiles& files, std::function<void()> resetMacroLineCount)
    : files_(files),
      resetMacroLineCount_(std::move(resetMacroLineCount)),
      boxes_([this] { return hwnd(); }) {}

bool EditorWindow::open() {
    if (loaded()) {
        if (IsIconic(hwnd()))
            ShowWindow(hwnd(), SW_RESTORE);
        SetForegroundWindow(hwnd());
        BringWindowToTop(hwnd());
        return true;
    }
    win32::OwnedMenu menuBar = createEditorMenuBar();
    const Frame frame{
        L"KeyreelEditorWindow", kAppTitle, WS_OVERLAPPEDWINDOW, 0, 9000, 6000, nullptr,
        menuBar.get()};
    if (!create(frame, layout()))
        return false;
    // The window destroys its menu bar when it goes.
    menuBar.release();
    centerOnScreen(HWND_TOP);
    SetForegroundWindow(hwnd());
    SetFocus(control(kText));
    return true;
}

void EditorWindow::created() {
    document_.emplace(EditorServices{
        boxes_, files_,
        [this](const FileDialogRequest& request) { return win32::chooseFile(hwnd(), request); },
        resetMacroLineCount_});
    document_->setObserver(this);
    findings_.clear();
    findingsShown_ = false;
    document_->copyList(mainCommandListWords());
    for (const std::string& word : document_->commandWords()) {
        SendMessageW(control(kCommandsList), LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(win32::toWide(word).c_str()));
    }
    SendMessageW(control(kText), EM_SETLIMITTEXT, kTextLimit, 0);
    for (const int id : {kText, kCommandsList, kFindingsList})
        SetWindowSubclass(control(id), &EditorWindow::keyProc, kKeySubclass,
                          reinterpret_cast<DWORD_PTR>(this));
    placeControls();
}

bool EditorWindow::unload() {
    if (loaded()) {
        pullText();
        if (!document_->readyToClose())
            return false;
    }
    destroy();
    return true;
}

void EditorWindow::placeControls() {
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int width = client.right;
    const int height = client.bottom;
    const int margin = toPixels(kMargin);
    const int commands = toPixels(kCommandsWidth);
    const int findings = findingsShown_ ? toPixels(kFindingsWidth) : 0;
    const int textWidth = std::max(0, width - commands - findings);
    const int listTop = toPixels(kFrameCaption);
    const int listHeight = std::max(0, height - listTop - 2 * margin);
    MoveWindow(control(kText), 0, 0, textWidth, height, TRUE);
    // Each column: a frame with its caption, and the list inside it.
    const auto placeColumn = [&](int frame, int list, int left, int columnWidth) {
        MoveWindow(control(frame), left + margin / 2, 0, std::max(0, columnWidth - margin),
                   std::max(0, height - margin / 2), TRUE);
        MoveWindow(control(list), left + margin, listTop, std::max(0, columnWidth - 2 * margin),
                   listHeight, TRUE);
    };
    placeColumn(kFindingsFrame, kFindingsList, textWidth, findings);
    placeColumn(kCommandsFrame, kCommandsList, textWidth + findings, commands);
    for (const int id : {kFindingsFrame, kFindingsList})
        ShowWindow(control(id), findingsShown_ ? SW_SHOW : SW_HIDE);
    // A frame moved while the window grows is painted before the window
    // erases its new area, which would wipe it: paint the lot afresh.
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void EditorWindow::pullText() {
    const HWND text = control(kText);
    if (SendMessageW(text, EM_GETMODIFY, 0, 0) == 0)
        return;
    document_->setText(controlText(control(kText)));
    SendMessageW(text, EM_SETMODIFY, FALSE, 0);
}

void EditorWindow::appendChosenCommand() {
    const LRESULT chosen = SendMessageW(control(kCommandsList), LB_GETCURSEL, 0, 0);
    const std::vector<std::string>& words = document_->commandWords();
    if (chosen < 0 || static_cast<std::size_t>(chosen) >= words.size())
        return;
    pullText();
    document_->appendCommand(words[static_cast<std::size_t>(chosen)]);
}

void EditorWindow::check() {
    pullText();
    findings_ = lintMacroText(document_->text());
    const HWND list = control(kFindingsList);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    int widest = 0;
    for (const std::string& row : checkListRows(findings_)) {
        const std::wstring text = win32::toWide(row);
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        widest = std::max(widest, textWidth(list, text));
    }
    // Long findings can be scrolled into view.
    SendMessageW(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + toPixels(120)), 0);
    if (!findingsShown_) {
        findingsShown_ = true;
        makeRoomForFindings();
    }
}

// The window grows by the findings' column, as far as the screen allows,
// so that the text keeps its width.
void EditorWindow::makeRoomForFindings() {
    if (IsZoomed(hwnd()))
        return placeControls();
    RECT frame{};
    GetWindowRect(hwnd(), &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(hwnd(), MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int width =
        std::min<int>(frame.right - frame.left + toPixels(kFindingsWidth), work.right - work.left);
    const int left = std::max<int>(work.left, std::min<int>(frame.left, work.right - width));
    SetWindowPos(hwnd(), nullptr, left, frame.top, width, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    placeControls();
}

void EditorWindow::findingChosen() {
    const LRESULT chosen = SendMessageW(control(kFindingsList), LB_GETCURSEL, 0, 0);
    if (chosen < 0 || static_cast<std::size_t>(chosen) >= findings_.size())
        return;
    pullText();
    const TextRange range =
        lineRange(document_->text(), findings_[static_cast<std::size_t>(chosen)].line);
    const HWND text = control(kText);
    SendMessageW(text, EM_SETSEL, range.start, static_cast<LPARAM>(range.end));
    SendMessageW(text, EM_SCROLLCARET, 0, 0);
}

void EditorWindow::fileCommand(int id) {
    pullText();
    switch (id) {
        case kNewCommand:
            return document_->newText();
        case kOpenCommand:
            return document_->open();
        case kSaveAsCommand:
            return document_->saveAs();
        case kCloseSaveCommand:
            if (document_->closeSave())
                destroy();
            return;
        case kEditorExitCommand:
            unload();
            return;
        default: {
            const auto recent = static_cast<std::size_t>(id - kFirstRecentFileCommand);
            // A copy: opening the entry may change the list it is in.
            if (id >= kFirstRecentFileCommand && recent < document_->recentFiles().size())
                document_->openFile(std::string(document_->recentFiles()[recent]));
            return;
        }
    }
}

void EditorWindow::command(int id, int notification) {
    const HWND text = control(kText);
    switch (id) {
        case kCommandsList:
            if (notification == LBN_DBLCLK)
                appendChosenCommand();
            return;
        case kFindingsList:
            if (notification == LBN_SELCHANGE)
                findingChosen();
            else if (notification == LBN_DBLCLK)
                SetFocus(text);
            return;
        case IDOK:
            // Enter, through the dialog keys of the message loop: in the
            // Commands list it adds the word as a double click does.
            if (GetFocus() == control(kCommandsList))
                appendChosenCommand();
            return;
        case kCutCommand:
            SendMessageW(text, WM_CUT, 0, 0);
            return;
        case kCopyCommand:
            SendMessageW(text, WM_COPY, 0, 0);
            return;
        case kPasteCommand:
            SendMessageW(text, WM_PASTE, 0, 0);
            return;
        case kCheckCommand:
            return check();
        default:
            if (id >= kNewCommand && id <= kLastRecentFileCommand)
                fileCommand(id);
            return;
    }
}

LRESULT EditorWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            command(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_SIZE:
            placeControls();
            return 0;
        case WM_INITMENUPOPUP:
            if (isEditMenu(GetMenu(hwnd()), reinterpret_cast<HMENU>(wParam))) {
                DWORD start = 0;
                DWORD end = 0;
                SendMessageW(control(kText), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                             reinterpret_cast<LPARAM>(&end));
                enableEditItems(GetMenu(hwnd()), start != end);
            }
            return 0;
        case WM_CLOSE:
            // The close box closes the editor only; the program goes on.
            unload();
            return 0;
        default:
            return Window::handleMessage(message, wParam, lParam);
    }
}

// F7 checks the text wherever the focus is; Escape in the text does
// nothing, where an edit control would otherwise close the window.
LRESULT CALLBACK EditorWindow::keyProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR self) {
    if (message == WM_KEYDOWN && wParam == VK_F7) {
        reinterpret_cast<EditorWindow*>(self)->check();
        return 0;
    }
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE && GetDlgCtrlID(control) == kText)
        return 0;
    return DefSubclassProc(control, message, wParam, lParam);
}

void EditorWindow::textReplaced() {
    const HWND text = control(kText);
    SetWindowTextW(text, win32::toWide(document_->text()).c_str());
    SendMessageW(text, EM_SETMODIFY, FALSE, 0);
    // The findings were those of the text that went.
    findings_.clear();
    SendMessageW(control(kFindingsList), LB_RESETCONTENT, 0, 0);
}

void EditorWindow::textAppended(std::string_view added) {
    const HWND text = control(kText);
    const std::wstring wide = win32::toWide(added);
    const auto end = static_cast<WPARAM>(GetWindowTextLengthW(text));
    SendMessageW(text, EM_SETSEL, end, static_cast<LPARAM>(end));
    SendMessageW(text, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
    // The document has the new line already.
    SendMessageW(text, EM_SETMODIFY, FALSE, 0);
    // The caret waits at the end of the new line, where its value goes.
    const WPARAM lineEnd = end + wide.size() - (wide.ends_with(L"\r\n") ? 2 : 0);
    SendMessageW(text, EM_SETSEL, lineEnd, static_cast<LPARAM>(lineEnd));
    SendMessageW(text, EM_SCROLLCARET, 0, 0);
    SetFocus(text);
}

void EditorWindow::titleChanged() {
    setTitle(document_->title());
}

void EditorWindow::recentFilesChanged() {
    showRecentFiles(GetMenu(hwnd()), document_->recentFiles());
}

}  // namespace keyreel::ui
