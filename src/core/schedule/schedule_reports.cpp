#include "core/schedule/schedule_reports.h"

namespace keyreel {

void ScheduleReports::showWaiting(const std::function<void(const MessageRequest&)>& show) {
    if (passDepth_ > 0 || showing_)
        return;
    showing_ = true;
    while (!waiting_.empty()) {
        const MessageRequest report = std::move(waiting_.front());
        waiting_.pop_front();
        show(report);
    }
    showing_ = false;
}

}  // namespace keyreel
