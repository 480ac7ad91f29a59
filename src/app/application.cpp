#include "app/application.h"

#include <commctrl.h>
#include <shlobj.h>

#include "core/base/message_texts.h"
#include "core/base/product_texts.h"
#include "core/macro/macro_file.h"
#include "core/macro/whole_second_wait.h"
#include "core/main_window/startup.h"
#include "ui/resource_ids.h"
#include "win32/file_dialogs.h"
#include "win32/hand_over.h"
#include "win32/hot_key_release.h"
#include "win32/message_box.h"
#include "win32/program_files.h"
#include "win32/single_instance.h"
#include "win32/wide_text.h"

namespace keyreel {

namespace {

constexpr const wchar_t* kInstanceName = L"Local\\Keyreel.treel.instance";

}  // namespace

Application::Application()
    : askedFiles_(
          desktop_,
          [](const std::string& path) { return win32::carriesWebMark(win32::toWide(path)); }),
      files_(fileStore_, codePage_),
      model_(desktop_, files_),
      builder_(model_, files_, desktop_),
      mainWindow_(model_, builder_, *this),
      scheduler_({fileStore_, scheduleDatabasePath(win32::toUtf8(win32::besideProgram(L""))),
                  codePage_, clock_, model_, firedOnce_, toldUnreadable_,
                  [this](const std::string& path) { return askedFiles_.marked(path); }},
                 {&win32::showMessageBox, &win32::chooseFile, [this] { showHelp(false); }}) {
    model_.setAskedFiles(&askedFiles_);
}

int Application::run(const std::wstring& commandLine) {
    const win32::SingleInstance instance(kInstanceName);
    if (instance.anotherIsRunning()) {
        // A file opened while the program runs goes to the running copy.
        const std::string handOver =
            handOverCommandLine(win32::toUtf8(commandLine), [](const std::string& path) {
                return win32::toUtf8(win32::fullPathOf(win32::toWide(path)));
            });
        const bool handedOver =
            !handOver.empty() &&
            win32::handOverToRunningCopy(ui::MainWindow::kClassName, win32::toWide(handOver));
        if (!handedOver) {
            MessageBoxW(nullptr, win32::toWide(kAlreadyRunningText).c_str(),
                        win32::toWide(kAppTitle).c_str(), MB_OK | MB_SETFOREGROUND);
            // Whoever started the program again is looking for it, which
            // may sit out of sight in the notification area.
            win32::showRunningCopy(ui::MainWindow::kClassName);
        }
        return 0;
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    // The shell's open request may use COM on this thread.
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);

    const StartupSettings startup = readStartupSettings(settings_);
    mouseTrackingOff_ = startup.mouseTrackingOff;
    if (!mainWindow_.open(mouseTrackingOff_))
        return 1;
    desktop_.setMessageOwner(mainWindow_.hwnd());
    // Tab and the other dialog keys work in the windows during a play too.
    desktop_.setMessageFilter([this](MSG& message) { return isDialogMessage(message); });
    desktop_.setPointerMoveListener([this] {
        mainWindow_.pointerMovedByPlay();
        tracker_.pointerMovedByPlay();
    });
    tray_ = std::make_unique<win32::TrayIcon>(mainWindow_.hwnd(), ui::kTrayIconMessage,
                                              KEYREEL_ICON_ID, mainWindow_.dpi());

    hotKeys_.addAtoms();
    loadHotKeys();
    prefs_.fillFromStartup(startup);

    const StartupPlan plan = planStartup(win32::toUtf8(commandLine), startup.runLoaded,
                                         startup.pauseEnabled, startup.pauseSeconds);
    fileStarter_.setSettings({startup.runLoaded, startup.pauseEnabled, startup.pauseSeconds});
    // Before the file's play, which runs inside this call and may loop for
    // good: loaded first, the scheduler's clock ticks during that play too.
    if (startup.runScheduler)
        scheduler_.hideLoaded();
    if (plan.hideToTray)
        hideToTray();
    else
        fileStarter_.start(plan);
    return messageLoop();
}

void Application::loadHotKeys() {
    reloadHotKeys();
    if (prefs_.load())
        prefs_.fillHotKeyPage(hotKeySettings_);
}

HotKeySettings Application::reloadHotKeys() {
    hotKeySettings_ = loadHotKeySettings(settings_);
    hotKeys_.registerHotKeys(hotKeySettings_);
    return hotKeySettings_;
}

FileStartServices Application::fileStartServices() {
    return {[this](std::int32_t seconds) { return countDown(seconds); },
            [this] { showMainWindow(); },
            [](const std::string& path) {
                SHAddToRecentDocs(SHARD_PATHW, win32::toWide(path).c_str());
            }};
}

bool Application::dataReceived(const COPYDATASTRUCT& data) {
    // Shown while the second copy waits: until it has its answer, it is the
    // program in front, which lets this one come to the front.
    if (win32::asksToShowWindow(data)) {
        showMainWindow();
        return true;
    }
    // Only copied here: the second copy waits for this answer, and must not
    // wait for a play.
    const auto commandLine = win32::handedOverCommandLine(data);
    if (!commandLine || !fileStarter_.handOver(*commandLine))
        return false;
    PostMessageW(mainWindow_.hwnd(), ui::kHandOverMessage, 0, 0);
    return true;
}

// A file is not loaded under a play: while one runs, the timer asks again.
void Application::handOversDue() {
    if (fileStarter_.startHandedOver())
        handOverTimer_.start(mainWindow_.hwnd(), ui::kHandOverTimer, 250);
    else
        handOverTimer_.stop();
}

bool Application::countDown(std::int32_t seconds) {
    if (!countdown_.open(seconds))
        return true;
    // No count goes on without its Cancel: whatever closes the window (an
    // exit that a question then cancels, say) cancels the play as well.
    const auto counting = [&] { return countdown_.loaded() && !countdown_.cancelled(); };
    waitWholeSeconds(desktop_, seconds, counting,
                     [&](std::int64_t elapsed) { countdown_.showRemaining(seconds - elapsed); });
    const bool go = counting();
    countdown_.unload();
    return go;
}

// Hidden before the icon is added: adding it waits for the tray, and a
// double click on the new icon may be handled during that wait; the window
// it shows must stay shown.
void Application::hideToTray() {
    // Once hidden, the program stays out of the task list: a window owned by
    // another, never shown, window gets no taskbar button.
    if (!taskListOwner_) {
        taskListOwner_.reset(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                             nullptr, ui::moduleInstance(), nullptr));
        SetWindowLongPtrW(mainWindow_.hwnd(), GWLP_HWNDPARENT,
                          reinterpret_cast<LONG_PTR>(taskListOwner_.get()));
    }
    mainWindow_.hide();
    if (!tray_->add(model_.title()))
        trayIconMissing();
}

void Application::hotKeyPressed(WPARAM identifier, LPARAM keys) {
    // First of all, whether a play follows or not: the hot key's Alt must not
    // leave the program in front in its menu bar.
    win32::releaseHotKeyAlt(keys, desktop_);
    for (const HotKeyAction& action :
         hotKeyActions(win32::hotKeyIdOf(identifier), hotKeys_.hotKeyIds())) {
        switch (action.kind) {
            case HotKeyAction::Kind::playMacroFile:
                if (!model_.playing() && awaitHotKeyModifiersReleased())
                    playHotKeyFile(action.fKey);
                break;
            case HotKeyAction::Kind::playList:
                if (awaitHotKeyModifiersReleased())
                    model_.runList();
                break;
            case HotKeyAction::Kind::stop:
                model_.stop();
                break;
        }
    }
}

// A key pressed while a play runs never gets here: it is dropped without a
// word, like the repeats of a held key.
void Application::playHotKeyFile(std::size_t fKey) {
    // Copied: the preferences may change the paths during the play.
    const std::string path = hotKeySettings_.fKeyMacro[fKey];
    if (model_.playAskedFile(path) == FilePlayResult::Unreadable)
        desktop_.showMessage(unreadableMacroFileMessage(path));
}

// The hot key's Ctrl and Alt are usually still down when its message comes;
// a play that typed at once would have them added to its first keys. Waits
// until they are let go, two seconds at the most, handling messages meanwhile.
// A held hot key repeats (Wine ignores MOD_NOREPEAT), and every repeat would
// wait inside the last one and then play: a play hot key that comes while
// another waits here is the same key held, and is dropped (false).
bool Application::awaitHotKeyModifiersReleased() {
    if (awaitingModifiers_)
        return false;
    awaitingModifiers_ = true;
    const auto held = [] {
        return (GetAsyncKeyState(VK_CONTROL) & 0x8000) != 0 ||
               (GetAsyncKeyState(VK_MENU) & 0x8000) != 0;
    };
    const ULONGLONG giveUp = GetTickCount64() + 2000;
    while (held() && GetTickCount64() < giveUp)
        desktop_.pauseOneTick();
    awaitingModifiers_ = false;
    return true;
}

void Application::trayIconEvent(UINT mouseMessage) {
    // The menu runs a message loop of its own; no second icon message is
    // handled while it is open.
    if (trayBusy_)
        return;
    trayBusy_ = true;
    if (mouseMessage == WM_LBUTTONDBLCLK) {
        showMainWindow();
    } else if (mouseMessage == WM_RBUTTONUP) {
        mainWindow_.showTrayMenu();
    }
    trayBusy_ = false;
}

void Application::showMainWindow() {
    mainWindow_.show();
    mainWindow_.setMouseTracking(!mouseTrackingOff_);
}

void Application::taskbarCreated() {
    if (!tray_->restore())
        trayIconMissing();
}

void Application::mainWindowDpiChanged(UINT dpi) {
    if (!tray_->dpiChanged(dpi))
        trayIconMissing();
}

// Hidden without its icon, the program would be out of the user's reach:
// the main window stays in view, in the task list.
void Application::trayIconMissing() {
    if (IsWindowVisible(mainWindow_.hwnd()))
        return;
    SetWindowLongPtrW(mainWindow_.hwnd(), GWLP_HWNDPARENT, 0);
    taskListOwner_.reset();
    showMainWindow();
}

// Only the program's own windows: the help viewer handles its keys itself.
bool Application::isDialogMessage(MSG& message) {
    const HWND root = GetAncestor(message.hwnd, GA_ROOT);
    return ui::Window::isOwnWindow(root) && IsDialogMessageW(root, &message);
}

void Application::dispatch(MSG& message) {
    if (isDialogMessage(message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

int Application::messageLoop() {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        dispatch(message);
    return static_cast<int>(message.wParam);
}

void Application::modalLoop(const std::function<bool()>& open) {
    MSG message{};
    while (open()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0)
            PostQuitMessage(static_cast<int>(message.wParam));
        if (got <= 0)
            return;
        dispatch(message);
    }
}

}  // namespace keyreel
