#include "core/recorder/recorder.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "core/base/key_codes.h"
#include "core/base/message_texts.h"
#include "core/base/product_texts.h"
#include "core/base/text.h"

namespace keyreel {

// Holds the recording while the recorder's own question or dialog is open.
class Recorder::CaptureHold {
  public:
    explicit CaptureHold(Recorder& recorder) : recorder_(recorder) { recorder_.asking_ = true; }
    ~CaptureHold() { recorder_.asking_ = false; }
    CaptureHold(const CaptureHold&) = delete;
    CaptureHold& operator=(const CaptureHold&) = delete;

  private:
    Recorder& recorder_;
};

const char* Recorder::recordButtonCaption() const {
    return idle_ ? "Begin Recording" : "Stop Recording";
}

void Recorder::toggleRecording() {
    if (asking_)
        return;
    if (!idle_) {
        stopRecording();
        return;
    }
    if (!mayDiscardBuffer())
        return;
    if (switch_ != nullptr && !switch_->startCapture()) {
        const CaptureHold hold(*this);
        services_.boxes.showMessage(
            {kKeyboardHookFailedMessage, kAppTitle, MessageButtons::Ok, MessageIcon::Exclamation});
        return;
    }
    clearBuffer();
    idle_ = false;
}

void Recorder::stopRecording() {
    if (idle_)
        return;
    if (switch_ != nullptr)
        switch_->stopCapture();
    appendLines(translator_.releaseAll());
    for (const std::uint8_t button : {button::Left, button::Right}) {
        if (std::exchange(buttonsHeld_[button == button::Right ? 1 : 0], false))
            buffer_.appendLine(buttonLine(button, false));
    }
    idle_ = true;
}

void Recorder::newRecording() {
    if (mayDiscardBuffer())
        clearBuffer();
}

void Recorder::clearBuffer() {
    buffer_.clear();
    translator_.forgetHolds();
    savedPath_.clear();
    pointerPlaced_ = false;
    buttonsHeld_ = {};
    lastLineAt_.reset();
}

void Recorder::appendLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        buffer_.appendLine(line);
}

void Recorder::record(const std::vector<std::string>& lines) {
    if (lines.empty())
        return;
    if (services_.nowMillis) {
        const std::int64_t now = services_.nowMillis();
        if (recordPauses_ && lastLineAt_ && now - *lastLineAt_ >= kShortestPauseMillis) {
            const std::int64_t seconds = (now - *lastLineAt_ + 500) / 1000;
            buffer_.appendLine(
                waitLine(static_cast<int>(std::min<std::int64_t>(seconds, INT_MAX))));
        }
        lastLineAt_ = now;
    }
    appendLines(lines);
}

void Recorder::keyDown(std::uint8_t keyCode, int shift) {
    if (!idle_ && !asking_)
        record(translator_.keyDown(keyCode, shift));
}

void Recorder::keyUp(std::uint8_t keyCode, int shift) {
    if (!idle_ && !asking_)
        record(translator_.keyUp(keyCode, shift));
}

void Recorder::moveTo(ScreenPoint point, std::vector<std::string>& lines) {
    lines.push_back(mouseMoveLine(point.x, point.y));
    lastX_ = point.x;
    lastY_ = point.y;
    pointerPlaced_ = true;
}

void Recorder::buttonEvent(const ButtonEvent& event) {
    if (idle_ || asking_ || (event.button != button::Left && event.button != button::Right))
        return;
    bool& held = buttonsHeld_[event.button == button::Right ? 1 : 0];
    if (event.down ? event.onOwnWindow : !held)
        return;
    held = event.down;
    std::vector<std::string> lines;
    if (!pointerPlaced_ || event.point != ScreenPoint{lastX_, lastY_})
        moveTo(event.point, lines);
    lines.emplace_back(buttonLine(event.button, event.down));
    record(lines);
}

void Recorder::sampleCursor() {
    if (idle_ || asking_)
        return;
    const auto point = services_.pointer.cursorPosition();
    if (!point || (point->x == lastX_ && point->y == lastY_) ||
        services_.pointer.ownWindowAt(*point))
        return;
    std::vector<std::string> lines;
    moveTo(*point, lines);
    record(lines);
}

void Recorder::save() {
    if (asking_)
        return;
    const CaptureHold hold(*this);
    if (const auto path = services_.chooseFile(macroFileSaveDialog()))
        saveRecording(*path);
}

SaveOutcome Recorder::saveRecording(const std::string& path) {
    // Paths name files case-insensitively on Windows.
    const bool savedThereBefore =
        !savedPath_.empty() && toLowerAscii(path) == toLowerAscii(savedPath_);
    const SaveOutcome outcome =
        saveAfterAsking(services_.boxes, !savedThereBefore && services_.files.exists(path),
                        [&] { return services_.files.saveText(path, buffer_.text()); });
    if (outcome != SaveOutcome::Saved)
        return outcome;
    savedPath_ = path;
    buffer_.markSaved();
    if (services_.resetMacroLineCount)
        services_.resetMacroLineCount();
    return SaveOutcome::Saved;
}

bool Recorder::readyToClose() {
    return mayDiscardBuffer();
}

bool Recorder::mayDiscardBuffer() {
    if (asking_)
        return false;
    if (!buffer_.unsaved())
        return true;
    const CaptureHold hold(*this);
    const MessageAnswer answer = services_.boxes.showMessage(
        {kSaveRecordingText, kAppTitle, MessageButtons::YesNoCancel, MessageIcon::Question});
    return mayCloseAfterAnswer(answer, [&] {
        const auto path = services_.chooseFile(macroFileSaveDialog());
        return path && saveRecording(*path) == SaveOutcome::Saved;
    });
}

}  // namespace keyreel
