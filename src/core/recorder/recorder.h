#pragma once

// The recorder's state and what it does with each key and button event,
// pointer sample and menu command. The recorder window mirrors it: it
// switches the hooks and the cursor timer as told and shows the buffer.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/base/file_dialog.h"
#include "core/base/message_boxes.h"
#include "core/base/save_questions.h"
#include "core/base/screen_point.h"
#include "core/macro/macro_file.h"
#include "core/recorder/hook_events.h"
#include "core/recorder/key_translation.h"
#include "core/recorder/recording_buffer.h"

namespace keyreel {

// The pointer as the recorder samples it.
class PointerSampler {
  public:
    virtual ~PointerSampler() = default;
    // The cursor's position in screen pixels; empty when it cannot be read.
    virtual std::optional<ScreenPoint> cursorPosition() = 0;
    // Whether a window of this program, such as the recorder itself, is at
    // the point.
    virtual bool ownWindowAt(ScreenPoint point) = 0;
};

// What recording turns on and off: the keyboard and mouse hooks and the
// cursor timer (300 ms).
class RecordingSwitch {
  public:
    virtual ~RecordingSwitch() = default;
    // False when the hooks could not be installed; nothing is on then.
    virtual bool startCapture() = 0;
    virtual void stopCapture() = 0;
};

inline constexpr int kCursorSampleMillis = 300;
// The shortest stillness "Record pauses" writes a Wait line for.
inline constexpr std::int64_t kShortestPauseMillis = 1000;

// Told when Begin Recording cannot watch the keyboard.
inline constexpr const char* kKeyboardHookFailedMessage =
    "The keyboard hook could not be installed, so no keys can be recorded. Recording did not "
    "begin.";

struct RecorderServices {
    PointerSampler& pointer;
    MessageBoxes& boxes;
    MacroFiles& files;
    ChooseFile chooseFile;
    // Sets macroLineCount from the main window's list, as every save does.
    std::function<void()> resetMacroLineCount;
    // A steady clock in milliseconds that pauses are measured with; without
    // one, no pause is recorded.
    std::function<std::int64_t()> nowMillis;
};

class Recorder {
  public:
    explicit Recorder(RecorderServices services) : services_(std::move(services)) {}

    void setSwitch(RecordingSwitch* recordingSwitch) { switch_ = recordingSwitch; }
    RecordingBuffer& buffer() { return buffer_; }
    const RecordingBuffer& buffer() const { return buffer_; }

    // The state lives as long as the recorder: a new recording goes on from
    // the values the last one left.
    bool idle() const { return idle_; }
    int lastX() const { return lastX_; }
    int lastY() const { return lastY_; }
    // "Begin Recording" while idle, "Stop Recording" while recording.
    const char* recordButtonCaption() const;

    // The record button: begins a recording in an emptied buffer, or stops
    // the one under way and keeps its text. Before it empties an unsaved
    // recording it asks "Save the recording?"; Cancel keeps the buffer and
    // begins nothing. When the keyboard hook cannot be installed it says so
    // and begins nothing either.
    void toggleRecording();
    // Stops a recording under way, after the lines that let go of the
    // modifiers and buttons it still holds; nothing happens while idle.
    void stopRecording();

    // "Record pauses": when on, a stillness of a second or more between two
    // recorded lines writes "Wait >N" between them, N its seconds rounded
    // to the nearest. The window keeps the choice in the settings.
    bool recordPauses() const { return recordPauses_; }
    void setRecordPauses(bool on) { recordPauses_ = on; }

    // The keyboard hook's events, written as KeyTranslator says; ignored
    // while idle.
    void keyDown(std::uint8_t keyCode, int shift);
    void keyUp(std::uint8_t keyCode, int shift);
    // The mouse hook's button events, each written where it happened: a
    // move to its point unless the recording has the pointer there already,
    // then the button's line. A press on this program's own windows is left
    // out, with its release; ignored while idle.
    void buttonEvent(const ButtonEvent& event);
    // A timer tick: the cursor is written when it has moved, unless it is
    // over this program's own windows.
    void sampleCursor();

    // File > New: empties the buffer, after the same question as Begin when
    // it holds an unsaved recording (Cancel keeps it); a recording goes on.
    void newRecording();
    // File > Sa&ve: the Save As dialog, then saveRecording; a cancelled
    // dialog changes nothing. Allowed while recording.
    void save();
    // Writes the buffer and one CR LF to the file. An existing file is
    // replaced only after "Overwrite existing file?" is answered Yes, unless
    // it is the one this recording was saved to last; a failure is reported
    // and keeps the old file.
    SaveOutcome saveRecording(const std::string& path);
    // E&xit, the close box, Hide and every exit of the program: true when
    // the recording may go. Asks "Save the recording?" when the buffer
    // holds unsaved text; Yes saves through the Save As dialog. Cancel, a
    // cancelled dialog or a failed save keep the recording. While the
    // recorder's own question or dialog is open it refuses at once.
    bool readyToClose();
    // Whether the recorder's question or Save As dialog is open. Nothing is
    // recorded meanwhile: answering them is not part of the macro, and a
    // recording saved from the dialog holds what was recorded before it.
    bool asking() const { return asking_; }

  private:
    class CaptureHold;
    // Asks before the buffer's unsaved text goes; true when it may go.
    bool mayDiscardBuffer();
    // Empties the buffer for a new recording, which holds no modifier and
    // has not been saved anywhere yet.
    void clearBuffer();
    void appendLines(const std::vector<std::string>& lines);
    // Appends the lines of one event, after the Wait line for the pause
    // before it when pauses are recorded.
    void record(const std::vector<std::string>& lines);
    void moveTo(ScreenPoint point, std::vector<std::string>& lines);

    RecorderServices services_;
    RecordingSwitch* switch_ = nullptr;
    RecordingBuffer buffer_;
    KeyTranslator translator_;
    // Where the recording in the buffer was saved last; empty before that.
    std::string savedPath_;

    bool idle_ = true;
    int lastX_ = 0;
    int lastY_ = 0;
    bool asking_ = false;
    bool recordPauses_ = false;
    // Whether the buffer's text has put the pointer anywhere yet.
    bool pointerPlaced_ = false;
    // The left and right buttons, pressed in the text and not released.
    std::array<bool, 2> buttonsHeld_{};
    // When the last line was recorded; empty before the first.
    std::optional<std::int64_t> lastLineAt_;
};

}  // namespace keyreel
