#include "core/recorder/recorder.h"

#include "core/base/key_codes.h"
#include "core/base/message_texts.h"
#include "core/base/product_texts.h"
#include "core/base/text.h"

namespace keyreel {

// Holds the recording while the recorder's own question or dialog is open.
// A click that answered it must not show up as a press at the next button
// tick either, so the press the system remembers is taken then.
class Recorder::CaptureHold {
  public:
    explicit CaptureHold(Recorder& recorder) : recorder_(recorder) { recorder_.asking_ = true; }
    ~CaptureHold() {
        recorder_.asking_ = false;
        recorder_.services_.pointer.buttonState(recorder_.primaryButton());
    }
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
}

void Recorder::appendLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        buffer_.appendLine(line);
}

void Recorder::keyDown(std::uint8_t keyCode, int shift) {
    if (!idle_ && !asking_)
        appendLines(translator_.keyDown(keyCode, shift));
}

void Recorder::keyUp(std::uint8_t keyCode, int shift) {
    if (!idle_ && !asking_)
        appendLines(translator_.keyUp(keyCode, shift));
}

void Recorder::sampleCursor() {
    if (idle_ || asking_)
        return;
    const auto point = services_.pointer.cursorPosition();
    if (!point || (point->x == lastX_ && point->y == lastY_))
        return;
    buffer_.appendLine(mouseMoveLine(point->x, point->y));
    lastX_ = point->x;
    lastY_ = point->y;
}

std::uint8_t Recorder::primaryButton() {
    return services_.pointer.buttonsSwapped() ? button::Right : button::Left;
}

void Recorder::sampleButton() {
    if (idle_ || asking_)
        return;
    // Any bit: a click that came and went between two ticks counts too.
    const bool pressed = services_.pointer.buttonState(primaryButton()) != 0;
    if (pressed) {
        buffer_.appendLine(kButtonDownLine);
        upRecorded_ = false;
    } else if (!upRecorded_) {
        buffer_.appendLine(kButtonUpLine);
        upRecorded_ = true;
    }
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
