// The recorder: recordings made from key and button events, pointer samples
// and pauses, its state across recordings, and saving what it recorded.

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
    bool overOwnWindow = false;

    std::optional<ScreenPoint> cursorPosition() override { return cursor; }
    bool ownWindowAt(ScreenPoint) override { return overOwnWindow; }
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

class RecorderTest : public ::testing::Test {
  protected:
    RecorderTest() {
        recorder.setSwitch(&switchLog);
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
    }

    FakePointer pointer;
    MemoryFileStore store;
    MacroFiles files{store};
    SimulatedDesktop desktop;
    int lineCountResets = 0;
    std::int64_t now = 0;
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
                       [this] { ++lineCountResets; }, [this] { return now; }}};
    SwitchLog switchLog;
};

TEST_F(RecorderTest, BeginEmptiesTheBufferStopKeepsItAndNothingIsWrittenWhileIdle) {
    recorder.keyDown(key::Tab, 0);
    recorder.buttonEvent({button::Left, true, {5, 5}, false});
    recorder.buffer().markSaved();
    recorder.toggleRecording();
    EXPECT_STREQ(recorder.recordButtonCaption(), "Stop Recording");
    recorder.keyDown(key::Tab, 0);
    recorder.toggleRecording();
    EXPECT_TRUE(recorder.idle());
    EXPECT_EQ(switchLog.calls, (Lines{"start", "stop"}));
    EXPECT_EQ(lines(), Lines{"Press_Tab"});
    recorder.stopRecording();
    EXPECT_EQ(switchLog.calls.size(), 2u) << "stopping while idle changes nothing";
}
// A recording ends holding no modifier, and emptied text holds none.
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

// Each step is one event: a button pressed or released where the hook saw
// it (on the recorder's own window or elsewhere), a cursor sample, a key, the
// clock going on, or Stop.
struct Step {
    enum Kind : std::uint8_t { Press, Release, Cursor, Key, Pause, Stop } kind;
    ScreenPoint at{};
    std::uint8_t button = button::Left;
    bool onOwnWindow = false;
    std::int64_t millis = 0;
};

Step press(ScreenPoint at, std::uint8_t which = button::Left, bool own = false) {
    return {Step::Press, at, which, own};
}
Step release(ScreenPoint at, std::uint8_t which = button::Left, bool own = false) {
    return {Step::Release, at, which, own};
}
Step cursor(ScreenPoint at, bool own = false) {
    return {Step::Cursor, at, button::Left, own};
}
Step pause(std::int64_t millis) {
    return {Step::Pause, {}, button::Left, false, millis};
}
constexpr Step kTab{Step::Key};
constexpr Step kStop{Step::Stop};

TEST_F(RecorderTest, ButtonsAreWrittenWhereTheyWerePressedAndPausesOnRequest) {
    struct Case {
        const char* what;
        bool recordPauses;
        std::vector<Step> steps;
        Lines lines;
    };
    const ScreenPoint own{640, 500};
    const Case cases[] = {
        {"a 60 ms click",
         false,
         {press({100, 200}), pause(60), release({100, 200})},
         {"MouseMove >100,200", "LDown", "LUp"}},
        {"a right click where the cursor was sampled; an unmoved cursor writes nothing",
         false,
         {cursor({50, 60}), press({50, 60}, button::Right), release({50, 60}, button::Right),
          cursor({50, 60})},
         {"MouseMove >50,60", "RDown", "RUp"}},
        {"a press, a drag and a release",
         false,
         {press({10, 20}), cursor({15, 25}), release({40, 50})},
         {"MouseMove >10,20", "LDown", "MouseMove >15,25", "MouseMove >40,50", "LUp"}},
        {"pauses of 0.4 s, 1.2 s and 3 s, recorded",
         true,
         {kTab, pause(400), kTab, pause(1200), kTab, pause(3000), cursor({1, 2}), kStop},
         {"Press_Tab", "Press_Tab", "Wait >1", "Press_Tab", "Wait >3", "MouseMove >1,2"}},
        {"the recorder's own button, and a drag that ends on it",
         false,
         {cursor(own, true), press(own, button::Left, true), release(own, button::Left, true),
          release(own, button::Right), press({5, 5}), release(own, button::Left, true)},
         {"MouseMove >5,5", "LDown", "MouseMove >640,500", "LUp"}},
        {"a button held at Stop",
         false,
         {press({7, 8}, button::Right), pause(5000), kStop},
         {"MouseMove >7,8", "RDown", "RUp"}},
    };
    for (const Case& c : cases) {
        recorder.stopRecording();
        recorder.buffer().markSaved();
        recorder.setRecordPauses(c.recordPauses);
        begin();
        for (const Step& step : c.steps) {
            pointer.cursor = step.at;
            pointer.overOwnWindow = step.onOwnWindow;
            switch (step.kind) {
                case Step::Press:
                case Step::Release:
                    recorder.buttonEvent(
                        {step.button, step.kind == Step::Press, step.at, step.onOwnWindow});
                    break;
                case Step::Cursor:
                    recorder.sampleCursor();
                    break;
                case Step::Key:
                    recorder.keyDown(key::Tab, 0);
                    break;
                case Step::Pause:
                    now += step.millis;
                    break;
                case Step::Stop:
                    recorder.stopRecording();
                    break;
            }
        }
        EXPECT_EQ(lines(), c.lines) << c.what;
    }
}

constexpr const char* kOverwriteQuestion =
    "message \"Overwrite existing file?\" \"Tobrin's Keyreel\" -> ";

TEST_F(RecorderTest, SaveWritesTheBufferAndOneLineEndAndAsksBeforeReplacingAnotherFile) {
    chosenPaths = {std::nullopt, "r.kyr", "r.kyr", "r.kyr", "r.kyr"};
    desktop.questionAnswer = MessageAnswer::No;
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
    // Its own file again: no question; a new recording has no file of its own.
    recorder.buffer().takeEditedText("Press_Tab");
    recorder.save();
    EXPECT_EQ(store.files["r.kyr"], "Press_Tab\r\n");
    recorder.newRecording();
    recorder.save();
    EXPECT_EQ(desktop.events().size(), 3u);
}

constexpr const char* kSaveQuestion = "message \"Save the recording?\" \"Tobrin's Keyreel\" -> ";

// Closing, Begin and New drop the buffer: an unsaved recording goes only
// after the question, and Begin begins only with the buffer emptied.
TEST_F(RecorderTest, AnUnsavedRecordingGoesOnlyAfterTheQuestion) {
    enum class Way { Close, Begin, New };
    const std::tuple<Way, MessageAnswer, std::optional<std::string>, bool> cases[] = {
        {Way::Close, MessageAnswer::No, std::nullopt, true},
        {Way::Close, MessageAnswer::Cancel, std::nullopt, false},
        {Way::Close, MessageAnswer::Yes, std::nullopt, false},  // the file dialog was cancelled
        {Way::Close, MessageAnswer::Yes, "locked.kyr", false},  // the save failed
        {Way::Close, MessageAnswer::Yes, "kept.kyr", true},
        {Way::Begin, MessageAnswer::Cancel, std::nullopt, false},
        {Way::Begin, MessageAnswer::No, std::nullopt, true},
        {Way::Begin, MessageAnswer::Yes, "begin.kyr", true},
        {Way::New, MessageAnswer::Cancel, std::nullopt, false},
        {Way::New, MessageAnswer::Yes, "new.kyr", true},
    };
    store.unwritable.insert("locked.kyr");
    int row = 0;
    for (const auto& [way, answer, chosenPath, goes] : cases) {
        SCOPED_TRACE(row++);
        recorder.stopRecording();
        recorder.buffer().markSaved();
        recorder.newRecording();  // nothing to ask about
        if (way == Way::New)
            recorder.toggleRecording();
        recorder.buffer().takeEditedText("Press_Tab\r\n");
        desktop.questionAnswer = answer;
        if (answer == MessageAnswer::Yes)
            chosenPaths.push_back(chosenPath);
        const std::size_t asked = desktop.events().size();
        if (way == Way::Close)
            EXPECT_EQ(recorder.readyToClose(), goes);
        else
            way == Way::Begin ? recorder.toggleRecording() : recorder.newRecording();
        ASSERT_GT(desktop.events().size(), asked);
        EXPECT_TRUE(desktop.events()[asked].starts_with(kSaveQuestion));
        if (way != Way::Close) {
            EXPECT_EQ(recorder.buffer().text(), goes ? "" : "Press_Tab\r\n");
            EXPECT_EQ(recorder.idle(), way == Way::Begin && !goes);
        }
        if (chosenPath && goes) {
            EXPECT_EQ(store.files[*chosenPath], "Press_Tab\r\n\r\n");
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
        recorder.buttonEvent({button::Left, true, {300, 200}, false});  // the click on the answer
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

    // The answer's click is let go of once the question has gone: not
    // recorded either. The recording goes on from there.
    desktop.atProcessingPoint = nullptr;
    recorder.buttonEvent({button::Left, false, {300, 200}, false});
    recorder.sampleCursor();
    EXPECT_EQ(lines(), (Lines{"Press_Tab", "MouseMove >300,200"}));
}

}  // namespace
}  // namespace keyreel
