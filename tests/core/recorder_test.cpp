// The recorder: recordings made from key events and pointer samples, its
// state across recordings, and saving what it recorded.

#include "core/recorder/recorder.h"

#include <gtest/gtest.h>

#include <utility>

#include "core/base/key_codes.h"
#include "core/base/memory_file_store.h"
#include "core/base/text.h"
#include "core/macro/simulated_desktop.h"
#include "core/recorder/key_event.h"

namespace keyreel {
namespace {

using Lines = std::vector<std::string>;

class FakePointer : public PointerSampler {
  public:
    std::optional<ScreenPoint> cursor = ScreenPoint{};
    bool swapped = false;
    // The key state each button answers with; queries are logged. As the
    // system does, a press since the last query (the low bit) is told once.
    std::uint16_t left = 0;
    std::uint16_t right = 0;
    std::vector<int> queried;

    std::optional<ScreenPoint> cursorPosition() override { return cursor; }
    bool buttonsSwapped() override { return swapped; }
    std::uint16_t buttonState(std::uint8_t button) override {
        queried.push_back(button);
        std::uint16_t& state = button == button::Left ? left : right;
        return std::exchange(state, static_cast<std::uint16_t>(state & 0x8000));
    }
};

class SwitchLog : public RecordingSwitch {
  public:
    std::vector<std::string> calls;
    bool hookRefused = false;
    bool startCapture() override {
        calls.push_back("start");
        return !hookRefused;
    }
    void stopCapture() override { calls.push_back("stop"); }
};

class AppendLog : public RecordingBufferObserver {
  public:
    std::vector<std::string> calls;
    void textAppended(std::string_view added) override { calls.emplace_back(added); }
    void textCleared() override { calls.push_back("cleared"); }
};

class RecorderTest : public ::testing::Test {
  protected:
    RecorderTest() {
        recorder.setSwitch(&switchLog);
        recorder.buffer().setObserver(&appendLog);
        // The tests that empty a recorded buffer let it go.
        desktop.questionAnswer = MessageAnswer::No;
    }

    Lines lines() {
        Lines result;
        for (const std::string_view line : splitLines(recorder.buffer().text()))
            result.emplace_back(line);
        return result;
    }
    // Begins a recording and clears what that did to the logs.
    void begin() {
        recorder.toggleRecording();
        switchLog.calls.clear();
        appendLog.calls.clear();
    }

    FakePointer pointer;
    MemoryFileStore store;
    MacroFiles files{store};
    SimulatedDesktop desktop;
    int lineCountResets = 0;
    // The paths the Save As dialog answers with, in turn; empty: cancelled.
    std::vector<std::optional<std::string>> chosenPaths;
    std::vector<FileDialogRequest> dialogs;
    // Runs while the Save As dialog is open.
    std::function<void()> inDialog;
    Recorder recorder{{pointer, desktop, files,
                       [this](const FileDialogRequest& request) {
                           dialogs.push_back(request);
                           if (inDialog)
                               inDialog();
                           return chosenPaths.at(dialogs.size() - 1);
                       },
                       [this] { ++lineCountResets; }}};
    SwitchLog switchLog;
    AppendLog appendLog;
};

TEST_F(RecorderTest, BeginEmptiesTheBufferAndStopKeepsIt) {
    EXPECT_TRUE(recorder.idle());
    EXPECT_STREQ(recorder.recordButtonCaption(), "Begin Recording");
    recorder.buffer().takeEditedText("typed by the user\r\n");
    recorder.buffer().markSaved();

    recorder.toggleRecording();
    EXPECT_FALSE(recorder.idle());
    EXPECT_STREQ(recorder.recordButtonCaption(), "Stop Recording");
    EXPECT_EQ(switchLog.calls, Lines{"start"});
    EXPECT_EQ(recorder.buffer().text(), "");
    EXPECT_TRUE(desktop.events().empty()) << "a saved buffer goes without a question";
    recorder.keyDown(key::Tab, 0);

    recorder.toggleRecording();
    EXPECT_TRUE(recorder.idle());
    EXPECT_EQ(switchLog.calls, (Lines{"start", "stop"}));
    EXPECT_EQ(lines(), Lines{"Press_Tab"});

    recorder.stopRecording();
    EXPECT_EQ(switchLog.calls.size(), 2u) << "stopping while idle changes nothing";
}

TEST_F(RecorderTest, NothingIsWrittenWhileIdle) {
    pointer.cursor = ScreenPoint{5, 5};
    recorder.keyDown(key::Tab, 0);
    recorder.keyUp(key::Shift, 0);
    recorder.sampleCursor();
    recorder.sampleButton();
    EXPECT_EQ(recorder.buffer().text(), "");
    EXPECT_TRUE(pointer.queried.empty());
}

// Keys are written as KeyTranslator writes them; the recorder adds that a
// recording ends holding no modifier, and that emptied text holds none.
TEST_F(RecorderTest, ModifiersHeldAtStopAreLetGoAndNewTextHoldsNone) {
    begin();
    recorder.keyDown(key::Control, shift_mask::Ctrl);
    recorder.keyDown(key::Menu, shift_mask::Ctrl + shift_mask::Alt);
    recorder.toggleRecording();
    EXPECT_EQ(lines(), (Lines{"Press_CTRL", "ALT_Down", "ALT_Up", "Release_CTRL"}));

    recorder.toggleRecording();
    recorder.keyDown(key::Control, shift_mask::Ctrl);
    recorder.newRecording();
    recorder.keyUp(key::Control, 0);
    recorder.keyDown('A', shift_mask::Shift);
    EXPECT_EQ(lines(), (Lines{"Press_Shift", "SendText >a"}));
}

TEST_F(RecorderTest, AKeyboardHookThatCannotBeInstalledIsToldAndNothingBegins) {
    recorder.buffer().takeEditedText("Press_Tab\r\n");
    recorder.buffer().markSaved();
    switchLog.hookRefused = true;
    recorder.toggleRecording();
    EXPECT_TRUE(recorder.idle());
    EXPECT_STREQ(recorder.recordButtonCaption(), "Begin Recording");
    EXPECT_EQ(desktop.events(),
              Lines{"message \"The keyboard hook could not be installed, so no keys can be "
                    "recorded. Recording did not begin.\" \"Tobrin's Keyreel\" -> ok"});
    EXPECT_EQ(recorder.buffer().text(), "Press_Tab\r\n");
    recorder.keyDown(key::Tab, 0);
    EXPECT_EQ(recorder.buffer().text(), "Press_Tab\r\n");
}

TEST_F(RecorderTest, TheCursorIsWrittenOnlyWhenItMoved) {
    begin();
    recorder.sampleCursor();  // still where the state starts: 0,0
    pointer.cursor = ScreenPoint{-1280, -15};
    recorder.sampleCursor();
    recorder.sampleCursor();
    pointer.cursor = std::nullopt;  // cannot be read: skipped
    recorder.sampleCursor();
    pointer.cursor = ScreenPoint{-1280, 40};
    recorder.sampleCursor();
    EXPECT_EQ(lines(), (Lines{"MouseMove >-1280,-15", "MouseMove >-1280,40"}));
    EXPECT_EQ(recorder.lastX(), -1280);
    EXPECT_EQ(recorder.lastY(), 40);

    // A new recording goes on from there: a cursor that has not moved since
    // writes no first line.
    recorder.toggleRecording();
    recorder.toggleRecording();
    recorder.sampleCursor();
    EXPECT_EQ(recorder.buffer().text(), "");
}

TEST_F(RecorderTest, ThePrimaryButtonIsWrittenOnEveryTickItIsPressedAndReleasedOnce) {
    begin();
    recorder.sampleButton();  // no press written yet: the first tick says LUp
    recorder.sampleButton();
    pointer.left = 0x8000;  // held for three ticks
    recorder.sampleButton();
    recorder.sampleButton();
    pointer.left = 0x8001;
    recorder.sampleButton();
    pointer.left = 0;
    recorder.sampleButton();
    recorder.sampleButton();
    pointer.left = 0x0001;  // a click that came and went between two ticks
    recorder.sampleButton();
    pointer.left = 0;
    recorder.sampleButton();
    EXPECT_EQ(lines(), (Lines{"LUp", "LDown", "LDown", "LDown", "LUp", "LDown", "LUp"}));
    EXPECT_TRUE(recorder.upRecorded());

    // Kept across recordings: the next one writes no first LUp.
    recorder.toggleRecording();
    recorder.toggleRecording();
    recorder.sampleButton();
    EXPECT_EQ(recorder.buffer().text(), "");
}

TEST_F(RecorderTest, SwappedButtonsMakeTheRightButtonThePrimaryOne) {
    begin();
    pointer.swapped = true;
    pointer.left = 0x8000;
    recorder.sampleButton();
    pointer.right = 0x8000;
    recorder.sampleButton();
    EXPECT_EQ(lines(), (Lines{"LUp", "LDown"}));
    EXPECT_EQ(pointer.queried, (std::vector<int>{button::Right, button::Right}));
}

TEST_F(RecorderTest, LinesReachTheWindowOneAppendAtATime) {
    begin();
    recorder.keyDown(key::Tab, 0);
    recorder.keyDown(key::Return, 0);
    recorder.newRecording();
    recorder.keyDown(key::Space, 0);
    EXPECT_EQ(appendLog.calls,
              (Lines{"Press_Tab\r\n", "Press_Enter\r\n", "cleared", "Press_Space\r\n"}));
    EXPECT_FALSE(recorder.idle()) << "New leaves the recording running";
}

constexpr const char* kOverwriteQuestion =
    "message \"Overwrite existing file?\" \"Tobrin's Keyreel\" -> ";

TEST_F(RecorderTest, SaveWritesTheBufferAndOneLineEndAndAsksBeforeReplacingAnotherFile) {
    chosenPaths = {std::nullopt, "r.kyr", "r.kyr", "r.kyr", "r.kyr"};
    store.files["r.kyr"] = "old contents";
    recorder.buffer().takeEditedText("Press_Tab\r\nLUp\r\n");
    recorder.save();  // cancelled
    desktop.answers = {MessageAnswer::No, MessageAnswer::Yes};
    recorder.save();
    EXPECT_EQ(store.files["r.kyr"], "old contents");
    EXPECT_EQ(lineCountResets, 0);
    EXPECT_TRUE(recorder.buffer().unsaved());

    recorder.save();
    EXPECT_EQ(store.files["r.kyr"], "Press_Tab\r\nLUp\r\n\r\n") << "ends in an empty line";
    EXPECT_EQ(lineCountResets, 1);
    EXPECT_EQ(desktop.events(), (Lines{kOverwriteQuestion + std::string("no"),
                                       kOverwriteQuestion + std::string("yes")}));
    EXPECT_EQ(dialogs.back(),
              (FileDialogRequest{FileDialogRequest::Kind::SaveAs,
                                 "Text Files (*.txt)|*.txt|Tobrin Files (*.kyr)|*.kyr", 2}));

    // Its own file again: no question.
    recorder.buffer().takeEditedText("Press_Tab");
    recorder.save();
    EXPECT_EQ(store.files["r.kyr"], "Press_Tab\r\n");
    EXPECT_EQ(desktop.events().size(), 2u);

    // A new recording has no file of its own yet.
    recorder.newRecording();
    recorder.buffer().takeEditedText("Press_Esc");
    desktop.answers = {MessageAnswer::No};
    recorder.save();
    EXPECT_EQ(store.files["r.kyr"], "Press_Tab\r\n");
    EXPECT_EQ(desktop.events().back(), kOverwriteQuestion + std::string("no"));
}

constexpr const char* kSaveQuestion = "message \"Save the recording?\" \"Tobrin's Keyreel\" -> ";

TEST_F(RecorderTest, NothingIsAskedBeforeClosingOnAnEmptyOrSavedRecording) {
    EXPECT_TRUE(recorder.readyToClose());
    begin();
    recorder.keyDown(key::Tab, 0);
    ASSERT_EQ(recorder.saveRecording("saved.kyr"), SaveOutcome::Saved);
    EXPECT_TRUE(recorder.readyToClose());
    recorder.newRecording();
    EXPECT_TRUE(recorder.readyToClose()) << "emptied by New";
    EXPECT_TRUE(desktop.events().empty());
    EXPECT_TRUE(dialogs.empty());
}

TEST_F(RecorderTest, AnUnsavedRecordingGoesOnlyAfterTheQuestion) {
    struct Case {
        MessageAnswer answer;
        const char* answerName;
        std::optional<std::string> chosenPath;  // asked for after Yes
        bool readyToClose;
    };
    const Case cases[] = {
        {MessageAnswer::No, "no", std::nullopt, true},
        {MessageAnswer::Cancel, "cancel", std::nullopt, false},
        {MessageAnswer::Yes, "yes", std::nullopt, false},  // the file dialog was cancelled
        {MessageAnswer::Yes, "yes", "locked.kyr", false},  // the save failed
        {MessageAnswer::Yes, "yes", "kept.kyr", true},
    };
    store.unwritable.insert("locked.kyr");
    recorder.buffer().takeEditedText("SendText >ab\r\n");
    for (const Case& c : cases) {
        desktop.questionAnswer = c.answer;
        if (c.answer == MessageAnswer::Yes)
            chosenPaths.push_back(c.chosenPath);
        const std::size_t asked = desktop.events().size();
        EXPECT_EQ(recorder.readyToClose(), c.readyToClose);
        ASSERT_GT(desktop.events().size(), asked);
        EXPECT_EQ(desktop.events()[asked], kSaveQuestion + std::string(c.answerName));
        EXPECT_EQ(recorder.buffer().unsaved(), c.chosenPath != "kept.kyr");
    }
    EXPECT_EQ(dialogs.size(), 3u);
    EXPECT_EQ(store.files["kept.kyr"], "SendText >ab\r\n\r\n");
}

// Begin and New empty the buffer: an unsaved recording goes only after the
// question, as when the window closes.
TEST_F(RecorderTest, BeginAndNewAskBeforeTheyEmptyAnUnsavedRecording) {
    struct Case {
        const char* what;
        bool begin;  // else New, during a recording
        MessageAnswer answer;
        std::optional<std::string> chosenPath;  // asked for after Yes
        bool emptied;
    };
    const Case cases[] = {
        {"Begin, Cancel", true, MessageAnswer::Cancel, std::nullopt, false},
        {"Begin, Yes, dialog cancelled", true, MessageAnswer::Yes, std::nullopt, false},
        {"Begin, No", true, MessageAnswer::No, std::nullopt, true},
        {"Begin, Yes, saved", true, MessageAnswer::Yes, "begin.kyr", true},
        {"New, Cancel", false, MessageAnswer::Cancel, std::nullopt, false},
        {"New, Yes, saved", false, MessageAnswer::Yes, "new.kyr", true},
        {"New, No", false, MessageAnswer::No, std::nullopt, true},
    };
    for (const Case& c : cases) {
        recorder.stopRecording();
        recorder.buffer().markSaved();
        recorder.newRecording();  // nothing to ask about
        if (!c.begin)
            recorder.toggleRecording();
        recorder.buffer().takeEditedText("Press_Tab\r\n");
        desktop.questionAnswer = c.answer;
        if (c.answer == MessageAnswer::Yes)
            chosenPaths.push_back(c.chosenPath);
        const std::size_t asked = desktop.events().size();
        if (c.begin)
            recorder.toggleRecording();
        else
            recorder.newRecording();
        ASSERT_EQ(desktop.events().size(), asked + 1) << c.what;
        EXPECT_TRUE(desktop.events()[asked].starts_with(kSaveQuestion)) << c.what;
        EXPECT_EQ(recorder.buffer().text(), c.emptied ? "" : "Press_Tab\r\n") << c.what;
        // Begin begins only with the buffer emptied; New leaves the
        // recording going.
        EXPECT_EQ(recorder.idle(), c.begin && !c.emptied) << c.what;
        if (c.chosenPath) {
            EXPECT_EQ(store.files[*c.chosenPath], "Press_Tab\r\n\r\n") << c.what;
        }
    }
}

TEST_F(RecorderTest, NothingIsRecordedWhileTheRecordersOwnQuestionOrDialogIsOpen) {
    begin();
    recorder.keyDown(key::Tab, 0);
    // What the user does to answer, and what the recorder is asked
    // meanwhile: a second question is not asked, nothing begins or empties.
    const auto answering = [&] {
        EXPECT_TRUE(recorder.asking());
        recorder.keyDown('N', 0);
        recorder.keyUp(key::Shift, 0);
        pointer.cursor = ScreenPoint{300, 200};
        recorder.sampleCursor();
        pointer.left = 0x0001;  // the click on the answer
        recorder.sampleButton();
        EXPECT_FALSE(recorder.readyToClose());
        recorder.newRecording();
        recorder.toggleRecording();
        recorder.save();
    };
    desktop.atProcessingPoint = answering;
    inDialog = answering;
    chosenPaths = {std::nullopt, "saved.kyr"};
    desktop.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(recorder.readyToClose());
    recorder.save();  // cancelled
    recorder.save();
    EXPECT_FALSE(recorder.asking());
    EXPECT_EQ(store.files["saved.kyr"], "Press_Tab\r\n\r\n");
    EXPECT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(desktop.events().size(), 1u) << "one question";
    EXPECT_FALSE(recorder.idle());

    // The answer's click is not taken for a press at the next tick; the
    // recording goes on from there.
    desktop.atProcessingPoint = nullptr;
    recorder.sampleButton();
    pointer.left = 0;
    recorder.sampleButton();
    recorder.sampleCursor();
    EXPECT_EQ(lines(), (Lines{"Press_Tab", "LUp", "MouseMove >300,200"}));
}

}  // namespace
}  // namespace keyreel
