#include "core/recorder/recorder.h"

#include "core/base/key_codes.h"
#include "core/base/product_texts.h"
#include "core/recorder/key_translation.h"

namespace keyreel {

const char* Recorder::recordButtonCaption() const {
    return idle_ ? "Begin Recording" : "Stop Recording";
}

void Recorder::toggleRecording() {
    if (!idle_) {
        stopRecording();
        return;
    }
    if (switch_ != nullptr)
        switch_->startCapture();
    buffer_.clear();
    idle_ = false;
}

void Recorder::stopRecording() {
    if (idle_)
        return;
    if (switch_ != nullptr)
        switch_->stopCapture();
    idle_ = true;
}

void Recorder::keyDown(std::uint8_t keyCode, int shift) {
    if (idle_)
        return;
    for (const std::string& line : keyDownLines(keyCode, shift))
        buffer_.appendLine(line);
}

void Recorder::keyUp(std::uint8_t keyCode, int shift) {
    if (idle_)
        return;
    if (const auto line = keyUpLine(keyCode, shift))
        buffer_.appendLine(*line);
}

void Recorder::sampleCursor() {
    if (idle_)
        return;
    const auto point = services_.pointer.cursorPosition();
    if (!point || (point->x == lastX_ && point->y == lastY_))
        return;
    buffer_.appendLine(mouseMoveLine(point->x, point->y));
    lastX_ = point->x;
    lastY_ = point->y;
}

void Recorder::sampleButton() {
    if (idle_)
        return;
    const std::uint8_t primary = services_.pointer.buttonsSwapped() ? button::Right : button::Left;
    // Any bit: a click that came and went between two ticks counts too.
    const bool pressed = services_.pointer.buttonState(primary) != 0;
    if (pressed) {
        buffer_.appendLine(kButtonDownLine);
        upRecorded_ = false;
    } else if (!upRecorded_) {
        buffer_.appendLine(kButtonUpLine);
        upRecorded_ = true;
    }
}

void Recorder::save() {
    if (const auto path = services_.chooseFile(macroFileSaveDialog()))
        saveRecording(*path);
}

SaveOutcome Recorder::saveRecording(const std::string& path) {
    if (!services_.files.saveText(path, buffer_.text())) {
        reportSaveFailure(services_.boxes);
        return SaveOutcome::Failed;
    }
    buffer_.markSaved();
    if (services_.resetMacroLineCount)
        services_.resetMacroLineCount();
    return SaveOutcome::Saved;
}

bool Recorder::readyToClose() {
    if (!buffer_.unsaved())
        return true;
    const MessageAnswer answer = services_.boxes.showMessage(
        {"Save the recording?", kAppTitle, MessageButtons::YesNoCancel, MessageIcon::Question});
    return mayCloseAfterAnswer(answer, [&] {
        const auto path = services_.chooseFile(macroFileSaveDialog());
        return path && saveRecording(*path) == SaveOutcome::Saved;
    });
}

}  // namespace keyreel
