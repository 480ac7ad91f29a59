#include "ui/scheduler_window.h"

// After windows.h, which it needs.
#include <commctrl.h>

#include <vector>

namespace keyreel::ui {

namespace {

enum ControlId : int {
    kEntryList = 101,
    kDateCaption = 102,
    kDateLabel = 103,
    kWeekdayLabel = 104,
    kTimeCaption = 105,
    kTimeLabel = 106,
    kIcon = 107,
    kFrame = 108,
    kFirstButton = 110,  // the label buttons, in their order from left to right
};

constexpr UINT_PTR kClockTimer = 1;
// The clock's texts run to the window's edge rather than wrap.
constexpr DWORD kLabel = SS_LEFTNOWORDWRAP | SS_NOPREFIX;
// The label buttons' room ends a little before the next one starts.
constexpr int kButtonGap = 60;
constexpr int kLastButtonWidth = 900;

std::vector<ControlPlacement> makeLayout() {
    std::vector<ControlPlacement> controls = {
        {WC_LISTVIEWW, L"", LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP, kEntryList,
         0, 0, 7095, 2655, WS_EX_CLIENTEDGE},
        {L"STATIC", L"Current Date:", kLabel, kDateCaption, 7200, 120, 1230, 255},
        {L"STATIC", L"", kLabel, kDateLabel, 7320, 360, 1110, 255},
        {L"STATIC", L"", kLabel, kWeekdayLabel, 7320, 600, 1110, 255},
        {L"STATIC", L"Current Time:", kLabel, kTimeCaption, 7200, 840, 1230, 255},
        {L"STATIC", L"", kLabel, kTimeLabel, 7320, 1080, 1110, 255},
        {L"STATIC", L"", SS_ICON, kIcon, 7560, 1680, 480, 480},
    };
    const auto& buttons = schedulerButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const int left = buttons[i].leftTwips;
        const int width = i + 1 < buttons.size() ? buttons[i + 1].leftTwips - kButtonGap - left
                                                 : kLastButtonWidth;
        // SS_NOTIFY: the labels take clicks, and the pointer finds them.
        controls.push_back({L"STATIC", L"", SS_LEFT | SS_NOPREFIX | SS_NOTIFY,
                            kFirstButton + static_cast<int>(i), left, 2790, width, 285});
    }
    // Last, so that the labels lie above it.
    controls.push_back({L"BUTTON", L"", BS_GROUPBOX, kFrame, 0, 2640, 8415, 495});
    return controls;
}

const std::vector<ControlPlacement>& layout() {
    static const std::vector<ControlPlacement> controls = makeLayout();
    return controls;
}

}  // namespace

SchedulerWindow::SchedulerWindow(const SchedulerServices& model, SchedulerWindowServices services)
    : modelServices_(model), services_(std::move(services)), buttons_(kHoverTextColour) {
    entry_.onScheduleIt = [this](ScheduleEntryForm& form) { scheduleIt(form); };
    entry_.chooseFile = services_.chooseFile;
    update_.onModify = [this](const CellEdit& edit) { return modifyCell(edit); };
}

SchedulerWindow::~SchedulerWindow() {
    clock_.stop();
    if (model_)
        model_->list().setObserver(nullptr);
    destroy();
}

bool SchedulerWindow::load(HWND owner) {
    if (loaded())
        return true;
    const INITCOMMONCONTROLSEX classes{sizeof classes, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    // No border and no title bar; the title names it in the task list.
    const Frame frame{
        L"KeyreelSchedulerWindow", "Macro Scheduler", WS_POPUP, 0, 8430, 3135, owner, nullptr};
    if (!create(frame, layout()))
        return false;
    model_ = std::make_shared<SchedulerModel>(modelServices_);
    model_->list().setObserver(this);
    model_->load();
    // The first tick shows the clock at once; the next ones come at every
    // second.
    clock_.start(hwnd(), kClockTimer, USER_TIMER_MINIMUM);
    return true;
}

void SchedulerWindow::created() {
    list_.attach(control(kEntryList), *this);
    SendMessageW(control(kIcon), STM_SETICON, reinterpret_cast<WPARAM>(programIcon()), 0);
    buttons_.clear();
    const auto& buttons = schedulerButtons();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const int id = kFirstButton + static_cast<int>(i);
        setControlText(id, buttons[i].caption);
        buttons_.add(control(id));
    }
    setButtonFont();
}

void SchedulerWindow::dpiChanged() {
    list_.setColumnWidths();
    setButtonFont();
}

// Arial Black 9.75 point, at the window's DPI.
void SchedulerWindow::setButtonFont() {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(975, static_cast<int>(dpi()), 7200);
    font.lfWeight = FW_BLACK;
    lstrcpynW(font.lfFaceName, L"Arial Black", LF_FACESIZE);
    win32::OwnedFont made(CreateFontIndirectW(&font));
    for (std::size_t i = 0; i < schedulerButtons().size(); ++i) {
        SendMessageW(control(kFirstButton + static_cast<int>(i)), WM_SETFONT,
                     reinterpret_cast<WPARAM>(made.get()), TRUE);
    }
    // The labels use the new font before the old one goes.
    buttonFont_ = std::move(made);
}

bool SchedulerWindow::open(HWND owner) {
    const bool wasLoaded = loaded();
    if (!load(owner))
        return false;
    if (wasLoaded)
        SetWindowLongPtrW(hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    if (!IsWindowVisible(hwnd()))
        centerOnScreen(HWND_TOP);
    SetForegroundWindow(hwnd());
    SetFocus(list_.hwnd());
    if (const auto model = model_)
        showReports(*model);
    return true;
}

bool SchedulerWindow::hideLoaded() {
    if (!load(nullptr))
        return false;
    ShowWindow(hwnd(), SW_HIDE);
    if (const auto model = model_)
        showReports(*model);
    return true;
}

bool SchedulerWindow::unload() {
    if (!loaded())
        return true;
    // A second close while the question is open waits for its answer.
    if (asking_)
        return false;
    if (const auto model = model_) {
        if (const auto question = model->closeQuestion()) {
            asking_ = true;
            const MessageAnswer answer = services_.showMessage(hwnd(), *question);
            const bool mayClose = model->answerClose(answer);
            asking_ = false;
            showReports(*model);
            if (!mayClose)
                return false;
        }
    }
    ShowWindow(hwnd(), SW_HIDE);
    closeOtherWindows();
    clock_.stop();
    if (model_)
        model_->list().setObserver(nullptr);
    model_.reset();
    return Window::unload();
}

void SchedulerWindow::closeOtherWindows() {
    viewer_.unload();
    entry_.unload();
    update_.unload();
}

void SchedulerWindow::showReports(SchedulerModel& model) {
    model.showReports([&](const MessageRequest& report) {
        services_.showMessage(loaded() ? hwnd() : nullptr, report);
    });
}

void SchedulerWindow::clockTick() {
    const auto model = model_;
    if (!model)
        return;
    // Armed for the next second before the pass, which may play a macro for
    // a long time: the ticks during the play run passes of their own.
    clock_.start(hwnd(), kClockTimer, static_cast<UINT>(model->millisToNextTick()));
    const ClockLabels labels = model->tick();
    // The window may have closed during a play.
    if (model == model_) {
        setControlText(kDateLabel, labels.date);
        setControlText(kTimeLabel, labels.time);
        setControlText(kWeekdayLabel, labels.weekday);
    }
    showReports(*model);
}

void SchedulerWindow::press(SchedulerButton button) {
    const auto model = model_;
    if (!model)
        return;
    const SchedulerOutcome outcome = model->press(button, list_.selectedRow());
    if (outcome.closeOtherWindows)
        closeOtherWindows();
    if (outcome.hideScheduler)
        ShowWindow(hwnd(), SW_HIDE);
    if (outcome.openEntryWindow)
        entry_.open(hwnd(), ScheduleEntryForm::loaded(modelServices_.clock.now()));
    if (outcome.showHelp && services_.showHelp)
        services_.showHelp();
    if (outcome.view)
        viewer_.show(hwnd(), *outcome.view);
    showReports(*model);
}

void SchedulerWindow::editCell(POINT inList) {
    const auto model = model_;
    if (!model)
        return;
    const ScheduleListView::Cell cell = list_.cellAt(inList);
    const auto edit = model->openCellEditor(cell.row, cell.column);
    if (!edit)
        return;
    // The list fills the window from its top-left corner: the editor opens
    // where the double click was.
    POINT at = inList;
    ClientToScreen(list_.hwnd(), &at);
    update_.open(hwnd(), *edit, at);
}

void SchedulerWindow::scheduleIt(ScheduleEntryForm& form) {
    const auto model = model_;
    if (!model)
        return;
    if (const auto message = model->scheduleIt(form))
        services_.showMessage(entry_.hwnd(), *message);
    showReports(*model);
}

bool SchedulerWindow::modifyCell(const CellEdit& edit) {
    const auto model = model_;
    if (!model)
        return true;
    const CellUpdate update = model->updateTheSchedule(edit);
    if (update.message)
        services_.showMessage(update_.hwnd(), *update.message);
    showReports(*model);
    return update.closeEditor;
}

void SchedulerWindow::command(int id, int notification) {
    const int button = id - kFirstButton;
    if (button >= 0 && static_cast<std::size_t>(button) < schedulerButtons().size() &&
        notification == STN_CLICKED) {
        press(schedulerButtons()[static_cast<std::size_t>(button)].button);
    }
}

LRESULT SchedulerWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            command(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_NOTIFY: {
            const auto* notice = reinterpret_cast<const NMHDR*>(lParam);
            if (notice->idFrom == kEntryList && notice->code == NM_DBLCLK)
                editCell(reinterpret_cast<const NMITEMACTIVATE*>(lParam)->ptAction);
            return 0;
        }
        case WM_TIMER:
            if (wParam == kClockTimer)
                clockTick();
            return 0;
        case WM_SETCURSOR:
            buttons_.pointerOver(reinterpret_cast<HWND>(wParam));
            break;
        case WM_CTLCOLORSTATIC:
            if (const auto brush =
                    buttons_.colours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
                return *brush;
            break;
        case WM_CLOSE:
            unload();
            return 0;
        default:
            break;
    }
    return Window::handleMessage(message, wParam, lParam);
}

void SchedulerWindow::rowAdded(std::size_t row) {
    list_.insertRow(row);
    showRow(row);
}

void SchedulerWindow::rowRemoved(std::size_t row) {
    list_.removeRow(row);
}

// Any cell can change the Day cell's mark, so the whole row is shown again.
void SchedulerWindow::cellChanged(std::size_t row, ScheduleColumn) {
    showRow(row);
}

void SchedulerWindow::listCleared() {
    list_.clear();
}

void SchedulerWindow::showRow(std::size_t row) {
    for (std::size_t column = 0; column < kScheduleColumnCount; ++column)
        list_.setCell(row, column, model_->cellText(row, static_cast<ScheduleColumn>(column)));
}

}  // namespace keyreel::ui
