#pragma once

// The program's own name and the captions that show its play state.

namespace keyreel {

inline constexpr const char* kAppTitle = "Tobrin's Keyreel";
// The title of the schedule entry window's one message.
inline constexpr const char* kSchedulerTitle = "Tobrin's Scheduler";

// The main window's caption doubles as the play-state display: three blanks,
// then a marker.
inline constexpr const char* kIdleTitle = "Tobrin's Keyreel   x";
inline constexpr const char* kPlayingTitle = "Tobrin's Keyreel   \u00BB";
inline constexpr const char* kStoppedTitle = "Tobrin's Keyreel   \u00D7";

}  // namespace keyreel
