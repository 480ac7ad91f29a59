#pragma once

// Reports of the scheduler that wait to be shown. A report is shown only
// outside the schedule pass: a modal box inside a pass would hold the pass
// open while the clock runs further passes under it. Reports are shown one
// at a time, in the order they were posted.

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <tuple>
#include <utility>

#include "core/base/message_boxes.h"

namespace keyreel {

class ScheduleReports {
  public:
    // Marks a pass as running for as long as it lives.
    class PassScope {
      public:
        explicit PassScope(ScheduleReports& reports) : reports_(reports) { ++reports_.passDepth_; }
        ~PassScope() { --reports_.passDepth_; }
        PassScope(const PassScope&) = delete;
        PassScope& operator=(const PassScope&) = delete;

      private:
        ScheduleReports& reports_;
    };

    void post(MessageRequest report) { waiting_.push_back(std::move(report)); }
    bool waiting() const { return !waiting_.empty(); }

    // Shows the waiting reports through `show`, which returns when the user
    // has dismissed one, including those posted while one shows. Does
    // nothing while a pass runs or a report is showing already (a clock tick
    // during the box): the call that shows it goes on to the rest.
    void showWaiting(const std::function<void(const MessageRequest&)>& show);

  private:
    std::deque<MessageRequest> waiting_;
    int passDepth_ = 0;
    bool showing_ = false;
};

// The entries whose macro file was not played, because it could not be read
// or came from the internet, that the user has been told about in this run
// of the program. The program keeps one for its whole run, across the
// scheduler window's unloading: a once entry is tried again for the rest of
// its minute, a daily entry again the next day, and the user hears of each
// entry, file and cause once.
class ToldUnreadableFiles {
  public:
    // True the first time for this description, macro path and cause.
    bool firstTime(const std::string& descr, const std::string& path, int cause) {
        return told_.emplace(descr, path, cause).second;
    }

  private:
    std::set<std::tuple<std::string, std::string, int>> told_;
};

}  // namespace keyreel
