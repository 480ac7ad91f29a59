// The application's commands for the program as a whole: the windows besides
// the main window, help, hiding and exit.

#include "app/application.h"
#include "core/base/message_texts.h"
#include "core/base/product_texts.h"
#include "ui/command_ids.h"
#include "win32/program_files.h"
#include "win32/shutdown_hold.h"
#include "win32/wide_text.h"

namespace keyreel {

namespace {

constexpr const wchar_t* kHelpFile = L"keyreel.chm";

const char* helpProblem(win32::HelpViewer::Result result) {
    switch (result) {
        case win32::HelpViewer::Result::FileMissing:
            return kHelpFileMissingText;
        case win32::HelpViewer::Result::ViewerMissing:
            return kHelpViewerMissingText;
        default:
            return kHelpNotOpenedText;
    }
}

}  // namespace

void Application::commandChosen(int command) {
    switch (command) {
        case ui::kExitCommand:
        case ui::kTrayExitCommand:
            exitProgram();
            break;
        case ui::kHideCommand:
            hide();
            break;
        case ui::kMacroHelpCommand:
            showHelp(false);
            break;
        case ui::kTrayHelpCommand:
            showHelp(true);
            break;
        case ui::kAboutCommand:
            about_.open();
            break;
        case ui::kToggleTrackerCommand:
            toggleTracker();
            break;
        case ui::kStartupPreferencesCommand:
            openPreferences(true);
            break;
        case ui::kTrayPreferencesCommand:
            openPreferences(false);
            break;
        case ui::kEditCommand:
            editor_.open();
            break;
        case ui::kRecordCommand:
            recorder_.open();
            break;
        case ui::kSchedulerCommand:
            scheduler_.open(mainWindow_.hwnd());
            break;
        case ui::kTraySchedulerCommand:
            scheduler_.open(nullptr);
            break;
        default:
            break;
    }
}

void Application::exitProgram() {
    // A window refuses only when its user chose Cancel, which cancels the
    // exit too, the tray's included.
    if (!windows_.unloadAll())
        return;
    endProcess();
}

// The questions of exit, asked while the shutdown is held; Cancel keeps the
// session. A query that comes while they are open is refused: the first
// one's answer is still to come.
bool Application::endSessionQueried() {
    if (answeringEndSession_)
        return false;
    answeringEndSession_ = true;
    const win32::ShutdownHold hold(mainWindow_.hwnd(), win32::toWide(kShutdownHeldText).c_str());
    const bool mayEnd = windows_.unloadAll();
    answeringEndSession_ = false;
    return mayEnd;
}

void Application::sessionEnding() {
    // Every question was answered when the session was queried.
    endProcess();
}

void Application::endProcess() {
    // The help windows and the icon go, and no file is ever held open
    // between operations.
    help_.closeAll();
    tray_->remove();
    // The global atoms outlive the process unless they are deleted.
    hotKeys_.release();
    mainWindow_.destroy();
    ExitProcess(0);
}

void Application::openPreferences(bool modal) {
    if (!prefs_.open(modal ? mainWindow_.hwnd() : nullptr, modal) || !modal)
        return;
    modalLoop([this] { return prefs_.loaded(); });
}

void Application::hide() {
    windows_.unloadForHide();
    // Loaded hidden if it was not: the schedule runs on from the tray.
    scheduler_.hideLoaded();
    mainWindow_.setTrackerShown(tracker_.loaded());
    hideToTray();
}

// The toggle follows the tracker itself, whoever closed it last.
void Application::toggleTracker() {
    if (tracker_.loaded())
        tracker_.unload();
    else
        tracker_.open();
    mainWindow_.setTrackerShown(tracker_.loaded());
}

void Application::showHelp(bool contents) {
    const std::wstring file = win32::besideProgram(kHelpFile);
    const win32::HelpViewer::Result result =
        contents ? help_.showContents(file) : help_.showIndex(file);
    if (result == win32::HelpViewer::Result::Shown)
        return;
    desktop_.showMessage(
        {helpProblem(result), kAppTitle, MessageButtons::Ok, MessageIcon::Exclamation, false});
}

}  // namespace keyreel
