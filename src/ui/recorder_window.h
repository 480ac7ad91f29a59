#pragma once

// The recorder "MacRecorder": what the user does with the keyboard and the
// mouse anywhere on the desktop becomes macro lines in an editable text,
// which File > Sa&ve writes to a macro file. The rules are Recorder's; the
// window switches the hooks and the cursor timer as it is told, shows the
// buffer, hands the user's own edits back to it, and keeps the
// Options > Record &Pauses choice in the settings.

#include <functional>
#include <optional>
#include <string_view>

#include "core/macro/macro_file.h"
#include "core/recorder/recorder.h"
#include "core/settings/settings.h"
#include "ui/window.h"
#include "win32/keyboard_hook.h"
#include "win32/message_box.h"
#include "win32/pointer_sampler.h"

namespace keyreel::ui {

class RecorderWindow final : public Window,
                             private RecordingSwitch,
                             private RecordingBufferObserver,
                             private win32::KeyboardHookListener {
  public:
    // `resetMacroLineCount` sets macroLineCount from the main window's list,
    // as every save does.
    RecorderWindow(MacroFiles& files, SettingsStore& settings,
                   std::function<void()> resetMacroLineCount)
        : files_(files),
          settings_(settings),
          resetMacroLineCount_(std::move(resetMacroLineCount)),
          boxes_([this] { return hwnd(); }) {}
    ~RecorderWindow() override;

    // Creates the window idle, with an empty buffer and the state a new
    // recorder starts with, and shows it; an open recorder comes to the
    // front as it is.
    bool open();
    // E&xit, the close box, Hide and the program's exits: an unsaved
    // recording goes only after "Save the recording?", and Cancel keeps the
    // window. A recording under way ends with the window, hook and all.
    bool unload() override;

    // The recorder of the open window; null while it is not loaded.
    const Recorder* recorder() const { return recorder_ ? &*recorder_ : nullptr; }
    bool hookActive() const { return hook_ && hook_->active(); }

  private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void command(int id, int notification);
    void toggleRecording();
    // Takes the "Record pauses" choice from the settings, or turns it over
    // and keeps it there, and shows it checked or not.
    void applyRecordPauses(bool turnOver);

    bool startCapture() override;
    void stopCapture() override;
    void textAppended(std::string_view added) override;
    void textCleared() override;
    void keyDown(std::uint8_t keyCode, int shift) override;
    void keyUp(std::uint8_t keyCode, int shift) override;
    void buttonEvent(const ButtonEvent& event) override;
    // The text as the user left it after typing, cutting or pasting in it.
    void takeUserEdits();

    MacroFiles& files_;
    SettingsStore& settings_;
    std::function<void()> resetMacroLineCount_;
    win32::Win32PointerSampler pointer_;
    win32::WindowMessageBoxes boxes_;
    // Made afresh with every opening: a closed recorder forgets everything.
    std::optional<Recorder> recorder_;
    std::optional<win32::KeyboardHook> hook_;
    win32::OwnedTimer cursorTimer_;
    HWND focusedControl_ = nullptr;  // not owned: the control that had the focus last
    // The text changes because a line is appended or the buffer emptied,
    // not because the user edited it.
    bool showingBuffer_ = false;
};

}  // namespace keyreel::ui
