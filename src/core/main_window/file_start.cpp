#include "core/main_window/file_start.h"

#include <string>

#include "core/base/message_texts.h"
#include "core/base/product_texts.h"

namespace keyreel {

std::string droppedHandOversMessage(std::size_t dropped) {
    return fillIn(dropped == 1 ? kDroppedHandOverText : kDroppedHandOversText,
                  {std::to_string(dropped)});
}

void FileStarter::start(const StartupPlan& plan) {
    if (plan.macroPath.empty())
        return;
    starting_ = true;
    services_.showWindow();
    services_.noteRecent(plan.macroPath);
    if (plan.play && asked_.marked(plan.macroPath)) {
        // Loaded, so that the user sees the lines, and played only on Yes
        // (or after an earlier Yes).
        const bool loaded = tellIfUnread(boxes_, plan.macroPath, model_.loadList(plan.macroPath));
        const bool go = loaded && asked_.agreed(plan.macroPath) &&
                        (!plan.countdown || services_.countDown(plan.countdownSeconds));
        starting_ = false;
        if (go)
            model_.runList();
        return;
    }
    const bool go = !plan.countdown || services_.countDown(plan.countdownSeconds);
    // An unreadable file leaves the list as it was; that list is not played.
    // The message shows while the start is under way, so that a hand-over
    // waits for it.
    const bool loaded = tellIfUnread(boxes_, plan.macroPath, model_.loadList(plan.macroPath));
    starting_ = false;
    if (plan.play && go && loaded)
        model_.runList();
}

bool FileStarter::handOver(std::string_view commandLine) {
    std::string path = macroPathFromCommandLine(commandLine);
    if (path.empty())
        return false;
    // Only counted here: the second copy waits for this answer.
    if (waiting_.size() >= kMostWaiting)
        ++dropped_;
    else
        waiting_.push_back(std::move(path));
    return true;
}

void FileStarter::tellDropped() {
    MessageRequest note;
    note.text = droppedHandOversMessage(dropped_);
    note.title = kAppTitle;
    note.icon = MessageIcon::Exclamation;
    dropped_ = 0;
    // No file starts while the message shows.
    starting_ = true;
    boxes_.showMessage(note);
    starting_ = false;
}

bool FileStarter::startHandedOver() {
    if (dropped_ > 0 && !model_.playing() && !starting_)
        tellDropped();
    while (!waiting_.empty() && !model_.playing() && !starting_) {
        const std::string path = std::move(waiting_.front());
        waiting_.pop_front();
        start(planStartup(path, settings_.playLoaded, settings_.pauseEnabled,
                          settings_.pauseSeconds));
    }
    return !waiting_.empty() || dropped_ > 0;
}

}  // namespace keyreel
