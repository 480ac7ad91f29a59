#include "ui/recorder_window.h"

#include <vector>

#include "ui/menu_items.h"
#include "win32/file_dialogs.h"
#include "win32/wide_text.h"

namespace keyreel::ui {

namespace {

enum ControlId : int {
    kBufferEdit = 101,
    kRecordButton = 102,
    kNewCommand = 201,
    kSaveCommand = 202,
    kExitCommand = 203,
    kRecordPausesCommand = 301,
};

constexpr UINT_PTR kCursorTimer = 1;

// The text fills the upper part, the record button sits below it.
const std::vector<ControlPlacement>& layout() {
    static const std::vector<ControlPlacement> controls = {
        {L"EDIT", L"", ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_TABSTOP,
         kBufferEdit, 120, 120, 4560, 3000, WS_EX_CLIENTEDGE},
        {L"BUTTON", L"Begin Recording", BS_PUSHBUTTON | WS_TABSTOP, kRecordButton, 1320, 3270, 2160,
         420},
    };
    return controls;
}

constexpr MenuItem kFileMenu[] = {
    {L"&New", kNewCommand}, {L"Sa&ve", kSaveCommand}, {nullptr, 0}, {L"E&xit", kExitCommand}};
constexpr MenuItem kOptionsMenu[] = {{L"Record &Pauses", kRecordPausesCommand}};

win32::OwnedMenu createMenuBar() {
    win32::OwnedMenu bar(CreateMenu());
    appendPopup(bar.get(), L"&File", kFileMenu);
    appendPopup(bar.get(), L"&Options", kOptionsMenu);
    return bar;
}

}  // namespace

RecorderWindow::~RecorderWindow() {
    // The window goes while the hook and the recorder it talks to still live.
    destroy();
}

bool RecorderWindow::open() {
    if (loaded()) {
        ShowWindow(hwnd(), SW_SHOWNORMAL);
        SetForegroundWindow(hwnd());
        BringWindowToTop(hwnd());
        return true;
    }
    win32::OwnedMenu menuBar = createMenuBar();
    const Frame frame{L"KeyreelRecorderWindow",
                      "MacRecorder",
                      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                      0,
                      4800,
                      3840,
                      nullptr,
                      menuBar.get()};
    if (!create(frame, layout()))
        return false;
    // The window destroys its menu bar when it goes.
    menuBar.release();
    // A recording has no length a user could reach: the multi-line edit
    // control's own limit, not the 32,767 characters it starts with.
    SendMessageW(control(kBufferEdit), EM_SETLIMITTEXT, 0, 0);
    recorder_.emplace(RecorderServices{
        pointer_, boxes_, files_,
        [this](const FileDialogRequest& request) { return win32::chooseFile(hwnd(), request); },
        resetMacroLineCount_, [] { return static_cast<std::int64_t>(GetTickCount64()); }});
    recorder_->setSwitch(this);
    applyRecordPauses(false);
    recorder_->buffer().setObserver(this);
    hook_.emplace(hwnd(), static_cast<win32::KeyboardHookListener&>(*this));
    centerOnScreen(HWND_TOP);
    SetForegroundWindow(hwnd());
    SetFocus(control(kBufferEdit));
    return true;
}

bool RecorderWindow::unload() {
    if (!loaded())
        return true;
    if (recorder_ && !recorder_->readyToClose())
        return false;
    if (recorder_)
        recorder_->stopRecording();
    hook_.reset();
    Window::unload();
    recorder_.reset();
    return true;
}

void RecorderWindow::toggleRecording() {
    recorder_->toggleRecording();
    setControlText(kRecordButton, recorder_->recordButtonCaption());
}

void RecorderWindow::applyRecordPauses(bool turnOver) {
    bool on = settingIsOn(settings_.readSetting(setting::kRecorder, setting::kRecordPauses));
    if (turnOver) {
        on = !recorder_->recordPauses();
        settings_.writeSetting(setting::kRecorder, setting::kRecordPauses, on ? "1" : "0");
    }
    recorder_->setRecordPauses(on);
    CheckMenuItem(GetMenu(hwnd()), kRecordPausesCommand,
                  MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
}

bool RecorderWindow::startCapture() {
    if (!hook_->beginHook())
        return false;
    cursorTimer_.start(hwnd(), kCursorTimer, kCursorSampleMillis);
    return true;
}

void RecorderWindow::stopCapture() {
    hook_->endHook();
    cursorTimer_.stop();
}

// Only the new line goes into the control, at the end: replacing the whole
// text would cost more with every line of a long recording. A user who put
// the caret elsewhere keeps it there; one at the end follows the recording.
void RecorderWindow::textAppended(std::string_view added) {
    const HWND edit = control(kBufferEdit);
    DWORD selectionStart = 0;
    DWORD selectionEnd = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&selectionStart),
                 reinterpret_cast<LPARAM>(&selectionEnd));
    const auto end = static_cast<DWORD>(GetWindowTextLengthW(edit));
    showingBuffer_ = true;
    SendMessageW(edit, EM_SETSEL, end, end);
    SendMessageW(edit, EM_REPLACESEL, FALSE,
                 reinterpret_cast<LPARAM>(win32::toWide(added).c_str()));
    if (selectionEnd != end)
        SendMessageW(edit, EM_SETSEL, selectionStart, selectionEnd);
    showingBuffer_ = false;
}

void RecorderWindow::textCleared() {
    showingBuffer_ = true;
    setControlText(kBufferEdit, "");
    showingBuffer_ = false;
}

void RecorderWindow::takeUserEdits() {
    if (!showingBuffer_ && recorder_)
        recorder_->buffer().takeEditedText(controlText(control(kBufferEdit)));
}

void RecorderWindow::keyDown(std::uint8_t keyCode, int shift) {
    recorder_->keyDown(keyCode, shift);
}

void RecorderWindow::keyUp(std::uint8_t keyCode, int shift) {
    recorder_->keyUp(keyCode, shift);
}

void RecorderWindow::buttonEvent(const ButtonEvent& event) {
    recorder_->buttonEvent(event);
}

void RecorderWindow::command(int id, int notification) {
    switch (id) {
        case kBufferEdit:
            if (notification == EN_CHANGE)
                takeUserEdits();
            return;
        case kRecordButton:
            if (notification == BN_CLICKED)
                toggleRecording();
            return;
        case kNewCommand:
            return recorder_->newRecording();
        case kSaveCommand:
            return recorder_->save();
        case kExitCommand:
            unload();
            return;
        case kRecordPausesCommand:
            return applyRecordPauses(true);
        default:
            // Enter and Escape through the dialog keys: keys a recording
            // may well contain, so they close nothing.
            return;
    }
}

LRESULT RecorderWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (hook_ && hook_->handle(message))
        return 0;
    switch (message) {
        case WM_COMMAND:
            if (recorder_)
                command(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_TIMER:
            if (recorder_ && wParam == kCursorTimer)
                recorder_->sampleCursor();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE && IsChild(hwnd(), GetFocus()))
                focusedControl_ = GetFocus();
            return Window::handleMessage(message, wParam, lParam);
        case WM_SETFOCUS:
            // Back from a question, a dialog or another program, the keys go
            // where they went before, into the text at first.
            SetFocus(IsChild(hwnd(), focusedControl_) ? focusedControl_ : control(kBufferEdit));
            return 0;
        case WM_CLOSE:
            unload();
            return 0;
        default:
            return Window::handleMessage(message, wParam, lParam);
    }
}

}  // namespace keyreel::ui
