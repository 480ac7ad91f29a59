#include "core/recorder/recording_buffer.h"

#include <utility>

namespace keyreel {

void RecordingBuffer::appendLine(std::string_view line) {
    const std::size_t start = text_.size();
    text_ += line;
    text_ += "\r\n";
    changed_ = true;
    if (observer_ != nullptr)
        observer_->textAppended(std::string_view(text_).substr(start));
}

void RecordingBuffer::clear() {
    text_.clear();
    changed_ = true;
    if (observer_ != nullptr)
        observer_->textCleared();
}

void RecordingBuffer::takeEditedText(std::string text) {
    if (text == text_)
        return;
    text_ = std::move(text);
    changed_ = true;
}

}  // namespace keyreel
