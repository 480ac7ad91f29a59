#pragma once

// Macro files the program is started with: the one on its own command line,
// and those a second copy hands over when the user opens a macro file while
// the program runs. Each is loaded, and played when the start-up settings
// say so, after the count-down; a file downloaded from the internet is
// played only when the user agrees.

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>

#include "core/base/asked_files.h"
#include "core/base/message_boxes.h"
#include "core/main_window/main_model.h"
#include "core/main_window/startup.h"

namespace keyreel {

struct FileStartServices {
    // Counts down the start-up delay; false when the user cancelled it.
    std::function<bool(std::int32_t seconds)> countDown;
    // Shows the main window: the program may be sitting in the tray.
    std::function<void()> showWindow;
    // Adds the file to the system's recent documents.
    std::function<void(const std::string& path)> noteRecent;
};

// The settings of the program's own start, which hand-overs follow too.
struct FileStartSettings {
    bool playLoaded = false;
    bool pauseEnabled = false;
    std::int32_t pauseSeconds = 0;
};

class FileStarter {
  public:
    FileStarter(MainModel& model, MessageBoxes& boxes, AskedFiles& asked,
                FileStartServices services)
        : model_(model), boxes_(boxes), asked_(asked), services_(std::move(services)) {}

    void setSettings(const FileStartSettings& settings) { settings_ = settings; }

    // Shows the window and loads the plan's file; plays it as the plan says.
    void start(const StartupPlan& plan);

    // At most this many handed-over files wait their turn; those beyond are
    // dropped, and the user is told once the program can show a message.
    static constexpr std::size_t kMostWaiting = 16;

    // A second copy's command line; false when it names no file.
    bool handOver(std::string_view commandLine);
    // Starts the handed-over files, oldest first, as long as no play runs
    // (a load would replace the list under it) and no start is under way;
    // true while some still wait, or dropped files are still to be told.
    bool startHandedOver();
    bool waiting() const { return !waiting_.empty(); }

  private:
    void tellDropped();

    MainModel& model_;
    MessageBoxes& boxes_;
    AskedFiles& asked_;
    FileStartServices services_;
    FileStartSettings settings_;
    std::deque<std::string> waiting_;
    std::size_t dropped_ = 0;
    bool starting_ = false;
};

// What the user is told when `dropped` handed-over files found no place.
std::string droppedHandOversMessage(std::size_t dropped);

}  // namespace keyreel
