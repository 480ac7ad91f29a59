#pragma once

// The recorder's text: the recorded macro lines, each ended by CR LF, which
// the user may also edit. A recording grows one line at a time for as long
// as it runs, so an append adds only the new line, both here and in the
// window that shows it, and never copies the text that is already there.

#include <string>
#include <string_view>

namespace keyreel {

class RecordingBufferObserver {
  public:
    virtual ~RecordingBufferObserver() = default;
    // `added` was put at the end of the text.
    virtual void textAppended(std::string_view added) = 0;
    // The text was emptied.
    virtual void textCleared() = 0;
};

class RecordingBuffer {
  public:
    void setObserver(RecordingBufferObserver* observer) { observer_ = observer; }

    const std::string& text() const { return text_; }
    // Adds the line and CR LF at the end.
    void appendLine(std::string_view line);
    void clear();
    // The text after the user edited it in the window, which shows it
    // already; the observer is not told.
    void takeEditedText(std::string text);

    // Whether closing would lose something: the text is not empty and has
    // changed since it was last saved.
    bool unsaved() const { return changed_ && !text_.empty(); }
    void markSaved() { changed_ = false; }

  private:
    std::string text_;
    bool changed_ = false;
    RecordingBufferObserver* observer_ = nullptr;
};

}  // namespace keyreel
