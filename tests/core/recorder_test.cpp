// The recorder: recordings made from key and button events, pointer samples
// and pauses, its state across recordings and saving what it recorded; how
// recorded chords play back, and the modifier state the keyboard hook
// reports key events with.

#include "core/recorder/recorder.h"

#include <gtest/gtest.h>

#include <ranges>
#include <utility>

#include "core/base/key_codes.h"
#include "core/base/memory_file_store.h"
#include "core/base/text.h"
#include "core/macro/player.h"
#include "core/macro/simulated_desktop.h"
#include "core/recorder/key_event.h"
#include "core/recorder/key_translation.h"

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
    bool startCapture() override {
        calls.push_back("start");
        return true;
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

constexpr int kShift = shift_mask::Shift;
constexpr int kCtrl = shift_mask::Ctrl;
constexpr int kAlt = shift_mask::Alt;

// The keys a play presses and types, in order: "+Ctrl" and "-Ctrl" for a
// modifier going down and up, a typed character as itself, "#" and the code
// for another key going down.
std::string playedKeys(const Lines& lines) {
    MacroList list(lines.begin(), lines.end());
    RunState state;
    state.macroLineCount = static_cast<std::int32_t>(list.size());
    SimulatedDesktop desktop;
    Player(list, state, desktop).runMacro();
    const std::pair<std::string_view, const char*> modifiers[] = {
        {"0x10", "Shift"}, {"0x11", "Ctrl"}, {"0x12", "Alt"}};
    std::string played;
    for (const std::string_view event : desktop.events()) {
        const bool down = event.starts_with("key down ");
        std::string text;
        if (event.starts_with("type \""))
            text = event.substr(6, event.size() - 7);
        else if (down || event.starts_with("key up ")) {
            const std::string_view code = event.substr(event.rfind(' ') + 1);
            text = down ? "#" + std::string(code.substr(2)) : "";
            for (const auto& [modifierCode, name] : modifiers) {
                if (code == modifierCode)
                    text = (down ? "+" : "-") + std::string(name);
            }
        }
        if (!text.empty())
            played += (played.empty() ? "" : " ") + text;
    }
    return played;
}

// A key by name as the keyboard hook sees it (left and right codes apart): a
// letter, or one of the names below; "" for none.
std::uint8_t hookKey(std::string_view name) {
    const std::pair<std::string_view, std::uint8_t> named[] = {
        {"", 0},           {"LShift", 0xA0},
        {"RShift", 0xA1},  {"LCtrl", 0xA2},
        {"LAlt", 0xA4},    {"RAlt", 0xA5},
        {"F4", 0x73},      {"End", key::End},
        {"/", key::Slash}, {"Scroll", key::ScrollLock}};
    for (const auto& [text, code] : named) {
        if (name == text)
            return code;
    }
    return static_cast<std::uint8_t>(name[0]);
}

// Key transitions ("+Name" down, "-Name" up, by spaces) through the hook's
// modifier state and the translator; then what a play of the lines does.
TEST(KeyTranslation, ChordsPlayBackWithTheSameModifiersHeldAroundTheSameKey) {
    struct Case {
        const char* heldAtStart;
        const char* transitions;
        Lines lines;
        const char* played;
    };
    const Case cases[] = {
        {"",
         "+LShift +A -A -LShift +B -B",
         {"Press_Shift", "SendText >a", "Release_Shift", "SendText >b"},
         "+Shift a -Shift b"},
        {"",
         "+LCtrl +LShift +S -S -LShift -LCtrl",
         {"Press_CTRL", "Press_Shift", "SendText >s", "Release_Shift", "Release_CTRL"},
         "+Ctrl +Shift s -Shift -Ctrl"},
        {"", "+LAlt +F4 -F4 -LAlt", {"ALT_Down", "Press_F4", "ALT_Up"}, "+Alt #73 -Alt"},
        // Alt let go before the letter.
        {"", "+LAlt +F -LAlt -F", {"ALT_Down", "SendText >f", "ALT_Up"}, "+Alt f -Alt"},
        // AltGr: left Ctrl and right Alt.
        {"",
         "+LCtrl +RAlt +Q -Q -RAlt -LCtrl",
         {"Press_CTRL", "ALT_Down", "SendText >q", "ALT_Up", "Release_CTRL"},
         "+Ctrl +Alt q -Alt -Ctrl"},
        // Ctrl held across several keys, Shift for one of them.
        {"",
         "+LCtrl +A -A +LShift +End -End -LShift +C -C -LCtrl",
         {"Press_CTRL", "SendText >a", "Press_Shift", "Press_End", "Release_Shift", "SendText >c",
          "Release_CTRL"},
         "+Ctrl a +Shift #23 -Shift c -Ctrl"},
        // Both Shift keys, the left one let go first.
        {"",
         "+LShift +RShift -LShift +X -RShift",
         {"Press_Shift", "SendText >x", "Release_Shift"},
         "+Shift x -Shift"},
        // Held when the recording began: let go, or used for a key.
        {"LCtrl", "-LCtrl +V", {"SendText >v"}, "v"},
        {"LAlt",
         "+F4 -F4 -LAlt +F4",
         {"ALT_Down", "Press_F4", "ALT_Up", "Press_F4"},
         "+Alt #73 -Alt #73"},
        // A key without a line writes no holds either.
        {"", "+LCtrl +Scroll", {"Press_CTRL"}, "+Ctrl"},
    };
    for (const Case& c : cases) {
        ModifierState modifiers =
            ModifierState::seeded([&](std::uint8_t key) { return key == hookKey(c.heldAtStart); });
        KeyTranslator translator;
        Lines lines;
        for (const auto& step : std::views::split(std::string_view(c.transitions), ' ')) {
            const std::string_view token(step.begin(), step.end());
            const KeyEvent event = modifiers.note(hookKey(token.substr(1)), token[0] == '+');
            for (std::string& line : event.down ? translator.keyDown(event.keyCode, event.shift)
                                                : translator.keyUp(event.keyCode, event.shift))
                lines.push_back(std::move(line));
        }
        EXPECT_EQ(lines, c.lines) << c.transitions;
        EXPECT_EQ(playedKeys(lines), c.played) << c.transitions;
    }
}

ModifierState noneHeld() {
    return ModifierState::seeded([](std::uint8_t) { return false; });
}

TEST(ModifierState, EachEventCarriesTheMaskOfItsOwnMoment) {
    ModifierState state = noneHeld();
    const std::pair<std::pair<std::uint8_t, bool>, KeyEvent> steps[] = {
        {{key::LeftShift, true}, {16, kShift, true}},
        {{65, true}, {65, kShift, true}},
        {{key::LeftShift, false}, {16, 0, false}},
        {{0xA3, true}, {17, kCtrl, true}},           // right Ctrl
        {{0xA4, true}, {18, kCtrl + kAlt, true}},    // left Alt
        {{0xA5, true}, {18, kCtrl + kAlt, true}},    // right Alt as well
        {{0xA4, false}, {18, kCtrl + kAlt, false}},  // the right one is still down
        {{0xA5, false}, {18, kCtrl, false}},
        {{0xA3, false}, {17, 0, false}},
        // Generic codes from other programs count as the left key.
        {{key::Control, true}, {17, kCtrl, true}},
        {{key::Menu, true}, {18, kCtrl + kAlt, true}},
        {{0xA2, false}, {17, kAlt, false}},
    };
    for (const auto& [input, reported] : steps)
        EXPECT_EQ(state.note(input.first, input.second), reported) << int(input.first);
}

}  // namespace
}  // namespace keyreel
