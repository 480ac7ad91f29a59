#pragma once

// What the windows ask and tell around a save of a macro file.

#include <functional>

#include "core/base/message_boxes.h"

namespace keyreel {

enum class SaveOutcome { Saved, Declined, Failed };

// Asks "Overwrite existing file?" (No preselected) when the file exists and
// writes only after Yes; a write that fails is reported with
// "Error occurred trying to close file, please retry.".
SaveOutcome saveAfterAsking(MessageBoxes& boxes, bool fileExists,
                            const std::function<bool()>& write);
// Reports a failed write, as saveAfterAsking does.
void reportSaveFailure(MessageBoxes& boxes);
// The answer to "Save ...?" with Yes, No and Cancel, before unsaved work is
// closed: true when it may close, that is after No, or after Yes and a
// `save` that succeeded. Cancel, and a box that could not ask, keep it.
bool mayCloseAfterAnswer(MessageAnswer answer, const std::function<bool()>& save);

}  // namespace keyreel
