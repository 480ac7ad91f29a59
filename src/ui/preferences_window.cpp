#include "ui/preferences_window.h"

// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "win32/file_dialogs.h"

namespace keyreel::ui {

namespace {

constexpr std::size_t kFKeys = 6;

enum ControlId : int {
    kTabs = 100,
    // Auto Startup page.
    kPauseCheck = 101,
    kRunLoadedCheck = 102,
    kSecondsLabel = 103,
    kPauseSlider = 104,
    kSecondsEdit = 105,
    kRunSchedulerCheck = 106,
    // HotKeys page; the rows of F1 .. F6 count up from their first id.
    kAltCheck = 110,
    kCtrlCheck = 111,
    kKeyLabel = 112,
    kMacroLocationLabel = 113,
    kFirstFKeyCheck = 120,
    kFirstFKeyTaken = 130,
    kFirstFKeyPath = 140,
    kFirstFKeyBrowse = 150,
    // Below the pages.
    kBeginCheck = 160,
    kBeginTaken = 161,
    kMouseCheck = 162,
    kStopCheck = 163,
    kStopTaken = 164,
    kOkButton = IDOK,
    kCancelButton = IDCANCEL,
};

constexpr DWORD kCheckBox = BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kTextBox = ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kLabel = SS_LEFT | SS_NOPREFIX;
constexpr const wchar_t* kTakenText = L"in use";
constexpr const char* kTakenTip =
    "Another program holds this combination: Keyreel could not register the hot key.";

constexpr std::initializer_list<int> kAutoStartupPage = {
    kPauseCheck, kRunLoadedCheck, kRunSchedulerCheck, kSecondsLabel, kPauseSlider, kSecondsEdit};
constexpr std::initializer_list<int> kHotKeysHeadings = {kAltCheck, kCtrlCheck, kKeyLabel,
                                                         kMacroLocationLabel};

int fKeyId(int first, std::size_t fKey) {
    return first + static_cast<int>(fKey);
}

// The mark of each hot-key slot: F1 .. F6, then CTRL+ALT+R and CTRL+ALT+S.
int takenMarkId(std::size_t slot) {
    if (slot == kBeginHotKey)
        return kBeginTaken;
    if (slot == kStopHotKey)
        return kStopTaken;
    return fKeyId(kFirstFKeyTaken, slot);
}

// Creation order is the tab order. The tab control comes last, at the
// bottom of the stacking order, and leaves the pages' controls above it.
const std::vector<ControlPlacement>& layout() {
    static const std::vector<ControlPlacement> controls = [] {
        std::vector<ControlPlacement> placed = {
            {L"BUTTON", L"Enable Pause For Auto Start", kCheckBox, kPauseCheck, 360, 600, 4200,
             285},
            {L"BUTTON", L"Run Loaded Macro", kCheckBox, kRunLoadedCheck, 360, 960, 4200, 285},
            {L"BUTTON", L"Run the scheduler from start-up", kCheckBox, kRunSchedulerCheck, 360,
             1320, 4200, 285},
            {L"STATIC", L"Seconds to Pause", kLabel, kSecondsLabel, 360, 1800, 4200, 255},
            {TRACKBAR_CLASSW, L"", TBS_AUTOTICKS | WS_TABSTOP, kPauseSlider, 300, 2100, 4560, 420},
            {L"EDIT", L"", kTextBox, kSecondsEdit, 4980, 2160, 780, 315, WS_EX_CLIENTEDGE},
            {L"BUTTON", L"ALT", kCheckBox, kAltCheck, 360, 600, 1200, 285},
            {L"BUTTON", L"CTRL", kCheckBox, kCtrlCheck, 1680, 600, 1200, 285},
            {L"STATIC", L"Key", kLabel, kKeyLabel, 360, 1020, 1380, 255},
            {L"STATIC", L"Macro Location", kLabel, kMacroLocationLabel, 1800, 1020, 3000, 255},
        };
        static const wchar_t* const kNames[kFKeys] = {L"F1", L"F2", L"F3", L"F4", L"F5", L"F6"};
        for (std::size_t fKey = 0; fKey < kFKeys; ++fKey) {
            const int top = 1320 + 360 * static_cast<int>(fKey);
            placed.push_back({L"BUTTON", kNames[fKey], kCheckBox, fKeyId(kFirstFKeyCheck, fKey),
                              360, top, 660, 285});
            placed.push_back({L"STATIC", kTakenText, kLabel | SS_NOTIFY,
                              fKeyId(kFirstFKeyTaken, fKey), 1020, top + 30, 720, 255});
            placed.push_back({L"EDIT", L"", kTextBox, fKeyId(kFirstFKeyPath, fKey), 1800, top, 3480,
                              285, WS_EX_CLIENTEDGE});
            placed.push_back({L"BUTTON", L"...", BS_PUSHBUTTON | WS_TABSTOP,
                              fKeyId(kFirstFKeyBrowse, fKey), 5340, top, 480, 285});
        }
        const std::vector<ControlPlacement> below = {
            {L"BUTTON", L"Enable CTRL+ALT+R Begin", kCheckBox, kBeginCheck, 240, 3840, 3000, 285},
            {L"STATIC", kTakenText, kLabel | SS_NOTIFY, kBeginTaken, 3300, 3870, 720, 255},
            {L"BUTTON", L"Disable mouse tracking", kCheckBox, kMouseCheck, 240, 4200, 3000, 285},
            {L"BUTTON", L"Enable CTRL+ALT+S Stop", kCheckBox, kStopCheck, 240, 4560, 3000, 285},
            {L"STATIC", kTakenText, kLabel | SS_NOTIFY, kStopTaken, 3300, 4590, 720, 255},
            {L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, kOkButton, 4680, 3840, 1440, 375},
            {L"BUTTON", L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, kCancelButton, 4680, 4320, 1440,
             375},
            {WC_TABCONTROLW, L"", WS_CLIPSIBLINGS | WS_TABSTOP, kTabs, 120, 120, 6000, 3600},
        };
        placed.insert(placed.end(), below.begin(), below.end());
        return placed;
    }();
    return controls;
}

// The value of PreferenceValues that a check box shows.
bool& checkedValue(PreferenceValues& values, int id) {
    switch (id) {
        case kPauseCheck:
            return values.pauseEnabled;
        case kRunLoadedCheck:
            return values.runLoaded;
        case kRunSchedulerCheck:
            return values.runScheduler;
        case kAltCheck:
            return values.hotKeys.alt;
        case kCtrlCheck:
            return values.hotKeys.ctrl;
        case kBeginCheck:
            return values.hotKeys.beginEnabled;
        case kMouseCheck:
            return values.mouseTrackingOff;
        case kStopCheck:
            return values.hotKeys.stopEnabled;
        default:
            return values.hotKeys.fKeyEnabled[static_cast<std::size_t>(id - kFirstFKeyCheck)];
    }
}

std::vector<int> checkBoxIds() {
    std::vector<int> ids = {kPauseCheck, kRunLoadedCheck, kRunSchedulerCheck, kAltCheck,
                            kCtrlCheck,  kBeginCheck,     kMouseCheck,        kStopCheck};
    for (std::size_t fKey = 0; fKey < kFKeys; ++fKey)
        ids.push_back(fKeyId(kFirstFKeyCheck, fKey));
    return ids;
}

bool inRow(int id, int first) {
    return id >= first && id < first + static_cast<int>(kFKeys);
}

bool isTakenMark(int id) {
    return inRow(id, kFirstFKeyTaken) || id == kBeginTaken || id == kStopTaken;
}

bool isOnPane(int id) {
    return (id >= kPauseCheck && id <= kMacroLocationLabel) || inRow(id, kFirstFKeyCheck) ||
           inRow(id, kFirstFKeyTaken);
}

// Asks the tab control to paint itself into memory and reads the colour in
// the middle of its pane.
COLORREF paneColourOf(HWND tabs) {
    RECT client{};
    GetClientRect(tabs, &client);
    RECT pane = client;
    TabCtrl_AdjustRect(tabs, FALSE, &pane);
    const win32::WindowDc screen(tabs);
    const win32::OwnedMemoryDc memory(CreateCompatibleDC(screen.get()));
    const win32::OwnedBitmap bitmap(
        CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
    if (!memory || !bitmap)
        return GetSysColor(COLOR_BTNFACE);
    const win32::SelectedObject selected(memory.get(), bitmap.get());
    SendMessageW(tabs, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()),
                 PRF_CLIENT | PRF_ERASEBKGND);
    const COLORREF colour =
        GetPixel(memory.get(), (pane.left + pane.right) / 2, (pane.top + pane.bottom) / 2);
    return colour == CLR_INVALID ? GetSysColor(COLOR_BTNFACE) : colour;
}

}  // namespace

PreferencesWindow::PreferencesWindow(PreferencesServices services)
    : services_(std::move(services)), boxes_([this] { return hwnd(); }) {}

bool PreferencesWindow::load() {
    if (loaded())
        return true;
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    const Frame frame{L"KeyreelPreferencesWindow",
                      "Startup Preferences",
                      WS_POPUP | WS_CAPTION | WS_SYSMENU,
                      0,
                      6240,
                      5040,
                      nullptr,
                      nullptr};
    return create(frame, layout());
}

void PreferencesWindow::created() {
    tooltips_.create(hwnd());
    const HWND tabs = control(kTabs);
    for (const wchar_t* caption : {L"Auto Startup", L"HotKeys"}) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(caption);
        TabCtrl_InsertItem(tabs, TabCtrl_GetItemCount(tabs), &item);
    }
    TabCtrl_SetCurSel(tabs, 0);
    const HWND slider = control(kPauseSlider);
    SendMessageW(slider, TBM_SETRANGEMIN, FALSE, kPauseSliderMin);
    SendMessageW(slider, TBM_SETRANGEMAX, FALSE, kPauseSliderMax);
    SendMessageW(slider, TBM_SETTICFREQ, kPauseSliderTick, 0);
    for (std::size_t slot = 0; slot < kHotKeyCount; ++slot)
        tooltips_.add(control(takenMarkId(slot)), kTakenTip);
    takePaneColour();

    // A new window registers the hot keys again before it shows them.
    const HotKeySettings hotKeys = services_.reloadHotKeys();
    controls_ = loadPreferenceControls(hotKeys, services_.store);
    mirror();
    showTakenMarks();
}

bool PreferencesWindow::open(HWND owner, bool modal) {
    if (!load())
        return false;
    if (modalOwner_ == nullptr) {
        SetWindowLongPtrW(hwnd(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
        if (modal && owner != nullptr) {
            modalOwner_ = owner;
            EnableWindow(owner, FALSE);
        }
    }
    if (!IsWindowVisible(hwnd()))
        centerOnScreen(HWND_TOP);
    SetForegroundWindow(hwnd());
    BringWindowToTop(hwnd());
    return true;
}

bool PreferencesWindow::unload() {
    close();
    return true;
}

void PreferencesWindow::close() {
    // The owner first, so that it, and not another program, comes to the
    // front when this window goes.
    if (modalOwner_ != nullptr)
        EnableWindow(modalOwner_, TRUE);
    modalOwner_ = nullptr;
    destroy();
}

void PreferencesWindow::fillHotKeyPage(const HotKeySettings& hotKeys) {
    keyreel::fillHotKeyPage(controls_, hotKeys);
    mirror();
    showTakenMarks();
}

void PreferencesWindow::fillFromStartup(const StartupSettings& startup) {
    keyreel::fillFromStartup(controls_, startup);
    mirror();
}

void PreferencesWindow::mirror() {
    // The texts set here come back as changes, which leave what is shown
    // as it is.
    PreferenceControls shown = controls_;
    for (const int id : checkBoxIds())
        CheckDlgButton(hwnd(), id, checkedValue(shown.values, id) ? BST_CHECKED : BST_UNCHECKED);
    setControlText(kSecondsEdit, shown.values.delay);
    for (std::size_t fKey = 0; fKey < kFKeys; ++fKey)
        setControlText(fKeyId(kFirstFKeyPath, fKey), shown.values.hotKeys.fKeyMacro[fKey]);
    controls_ = shown;
    SendMessageW(control(kPauseSlider), TBM_SETPOS, TRUE, controls_.sliderPosition);
}

void PreferencesWindow::takePaneColour() {
    paneColour_ = paneColourOf(control(kTabs));
    paneBrush_.reset(CreateSolidBrush(paneColour_));
}

LRESULT PreferencesWindow::controlColour(HDC dc, HWND child) {
    const int id = GetDlgCtrlID(child);
    const bool onPane = isOnPane(id);
    if (!onPane && !isTakenMark(id))
        return 0;
    // The marks stand out in red.
    if (isTakenMark(id))
        SetTextColor(dc, RGB(176, 0, 0));
    SetBkColor(dc, onPane ? paneColour_ : GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(onPane ? paneBrush_.get() : GetSysColorBrush(COLOR_BTNFACE));
}

void PreferencesWindow::showTakenMarks() {
    for (std::size_t slot = 0; slot < kHotKeyCount; ++slot)
        taken_[slot] = services_.hotKeys.takenByAnotherProgram(slot);
    showSelectedPage();
}

void PreferencesWindow::showSelectedPage() {
    const bool autoStartup = TabCtrl_GetCurSel(control(kTabs)) != 1;
    for (const int id : kAutoStartupPage)
        ShowWindow(control(id), autoStartup ? SW_SHOW : SW_HIDE);
    for (const int id : kHotKeysHeadings)
        ShowWindow(control(id), autoStartup ? SW_HIDE : SW_SHOW);
    for (std::size_t fKey = 0; fKey < kFKeys; ++fKey) {
        for (const int first : {kFirstFKeyCheck, kFirstFKeyPath, kFirstFKeyBrowse})
            ShowWindow(control(fKeyId(first, fKey)), autoStartup ? SW_HIDE : SW_SHOW);
        ShowWindow(control(takenMarkId(fKey)), !autoStartup && taken_[fKey] ? SW_SHOW : SW_HIDE);
    }
    for (const std::size_t slot : {kBeginHotKey, kStopHotKey})
        ShowWindow(control(takenMarkId(slot)), taken_[slot] ? SW_SHOW : SW_HIDE);
}

void PreferencesWindow::secondsTyped() {
    secondsTextChanged(controls_, controlText(control(kSecondsEdit)));
    // Setting the position sends no scroll message: the text stays as typed.
    SendMessageW(control(kPauseSlider), TBM_SETPOS, TRUE, controls_.sliderPosition);
}

void PreferencesWindow::sliderMoved() {
    const auto position = static_cast<int>(SendMessageW(control(kPauseSlider), TBM_GETPOS, 0, 0));
    keyreel::sliderMoved(controls_, position);
    setControlText(kSecondsEdit, controls_.values.delay);
}

void PreferencesWindow::browse(std::size_t fKey) {
    if (const auto path = win32::chooseFile(hwnd(), hotKeyMacroDialog()))
        setControlText(fKeyId(kFirstFKeyPath, fKey), *path);
}

void PreferencesWindow::ok() {
    if (applyPreferences(services_.store, boxes_, controls_.values, services_.marked,
                         [this] { services_.reloadHotKeys(); }))
        close();
}

void PreferencesWindow::command(int id, int notification) {
    if (id == kOkButton)
        return ok();
    if (id == kCancelButton)
        return close();
    if (id == kSecondsEdit && notification == EN_CHANGE)
        return secondsTyped();
    if (inRow(id, kFirstFKeyPath) && notification == EN_CHANGE) {
        controls_.values.hotKeys.fKeyMacro[static_cast<std::size_t>(id - kFirstFKeyPath)] =
            controlText(control(id));
        return;
    }
    if (inRow(id, kFirstFKeyBrowse) && notification == BN_CLICKED)
        return browse(static_cast<std::size_t>(id - kFirstFKeyBrowse));
    const std::vector<int> checkBoxes = checkBoxIds();
    if (notification == BN_CLICKED &&
        std::find(checkBoxes.begin(), checkBoxes.end(), id) != checkBoxes.end()) {
        checkedValue(controls_.values, id) = IsDlgButtonChecked(hwnd(), id) == BST_CHECKED;
    }
}

LRESULT PreferencesWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            command(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_HSCROLL:
            if (reinterpret_cast<HWND>(lParam) == control(kPauseSlider))
                sliderMoved();
            return 0;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->idFrom == kTabs && header->code == TCN_SELCHANGE)
                showSelectedPage();
            return 0;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            if (const LRESULT brush =
                    controlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
                return brush;
            break;
        case WM_THEMECHANGED:
        case WM_SYSCOLORCHANGE:
            takePaneColour();
            break;
        case WM_CLOSE:
            close();
            return 0;
        default:
            break;
    }
    return Window::handleMessage(message, wParam, lParam);
}

}  // namespace keyreel::ui
