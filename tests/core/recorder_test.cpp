// The recorder, and the chords the hook's modifier state and the translator write.

#include "core/recorder/recorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <ranges>
#include <utility>

#include "core/base/key_codes.h"
#include "core/base/memory_file_store.h"
#include "core/base/text.h"
#include "core/macro/line_syntax.h"
#include "core/macro/simulated_desktop.h"
#include "core/recorder/key_event.h"
#include "core/recorder/key_translation.h"

namespace keyreel {
namespace {

using Lines = std::vector<std::string>;

std::string joined(const auto& lines) {
    std::string text;
    for (const std::string_view line : lines)
        text += (text.empty() ? "" : ", ") + std::string(line);
    return text;
}

// The test is the pointer as sampled and the hooks' switch, which counts its stops.
class RecorderTest : public ::testing::Test, PointerSampler, RecordingSwitch {
  protected:
    RecorderTest() {
        recorder.setSwitch(this);
        desktop.questionAnswer = MessageAnswer::No;
    }
    std::string lines() { return joined(splitLines(recorder.buffer().text())); }
    void begin() {
        recorder.stopRecording();
        recorder.buffer().markSaved();
        recorder.toggleRecording();
        stops = 0;
    }

    // Events by spaces: "P"/"p" left button down/up, "R"/"r" the right one, "c" a
    // cursor sample, each with its point and "*" when over the recorder itself;
    // "t" Tab, "w" the clock going on by milliseconds, "s" Stop.
    void playScript(std::string_view script) {
        for (const auto& part : std::views::split(script, ' ')) {
            const std::string_view step(part.begin(), part.end());
            const std::string_view rest = step.substr(1);
            overOwnWindow = rest.ends_with('*');
            const auto point = parseScreenPoint(rest.substr(0, rest.size() - overOwnWindow));
            if (point)
                cursor = *point;
            if (step[0] == 'c')
                recorder.sampleCursor();
            else if (step[0] == 't')
                recorder.keyDown(key::Tab, 0);
            else if (step[0] == 'w')
                now += *parseCount(rest);
            else if (step[0] == 's')
                recorder.stopRecording();
            else
                recorder.buttonEvent({std::tolower(step[0]) == 'r' ? button::Right : button::Left,
                                      std::isupper(step[0]) != 0, *point, overOwnWindow});
        }
    }
    std::optional<ScreenPoint> cursorPosition() override { return cursor; }
    bool ownWindowAt(ScreenPoint) override { return overOwnWindow; }
    bool startCapture() override { return true; }
    void stopCapture() override { ++stops; }

    std::optional<ScreenPoint> cursor = ScreenPoint{};
    bool overOwnWindow = false;
    int stops = 0;
    MemoryFileStore store;
    MacroFiles files{store};
    SimulatedDesktop desktop;
    int lineCountResets = 0;
    std::int64_t now = 0;
    // The Save As dialog's answers in turn; empty: cancelled.
    std::vector<std::optional<std::string>> chosenPaths;
    std::size_t dialogs = 0;
    std::function<void()> inDialog;
    Recorder recorder{{*this, desktop, files,
                       [this](const FileDialogRequest&) {
                           if (inDialog)
                               inDialog();
                           return chosenPaths.at(dialogs++);
                       },
                       [this] { ++lineCountResets; }, [this] { return now; }}};
};

TEST_F(RecorderTest, BeginEmptiesStopKeepsAndLetsGoOfHeldModifiersAndIdleWritesNothing) {
    recorder.keyDown(key::Tab, 0);
    recorder.buttonEvent({button::Left, true, {5, 5}, false});
    begin();
    EXPECT_STREQ(recorder.recordButtonCaption(), "Stop Recording");
    recorder.keyDown(key::Control, shift_mask::Ctrl);
    recorder.keyDown(key::Menu, shift_mask::Ctrl + shift_mask::Alt);
    recorder.toggleRecording();
    EXPECT_TRUE(recorder.idle());
    EXPECT_EQ(lines(), "Press_CTRL, ALT_Down, ALT_Up, Release_CTRL");
    recorder.stopRecording();
    EXPECT_EQ(stops, 1) << "stopping while idle changes nothing";

    // Text emptied by New holds no modifier held before.
    recorder.toggleRecording();
    recorder.keyDown(key::Control, shift_mask::Ctrl);
    recorder.newRecording();
    recorder.keyUp(key::Control, 0);
    recorder.keyDown('A', shift_mask::Shift);
    EXPECT_EQ(lines(), "Press_Shift, SendText >a");
}

TEST_F(RecorderTest, ButtonsAreWrittenWhereTheyWerePressedAndPausesOnRequest) {
    const std::tuple<const char*, bool, const char*> cases[] = {
        {"P100,200 w60 p100,200", false, "MouseMove >100,200, LDown, LUp"},
        {"c50,60 R50,60 r50,60 c50,60", false, "MouseMove >50,60, RDown, RUp"},
        {"P10,20 c15,25 p40,50", false,
         "MouseMove >10,20, LDown, MouseMove >15,25, MouseMove >40,50, LUp"},
        {"t w400 t w1200 t w3000 c1,2 s", true,
         "Press_Tab, Press_Tab, Wait >1, Press_Tab, Wait >3, MouseMove >1,2"},
        {"t w400 t w1200 t", false, "Press_Tab, Press_Tab, Press_Tab"},
        // The recorder's own button, and a drag that ends on it.
        {"c640,500* P640,500* p640,500* r640,500 P5,5 p640,500*", false,
         "MouseMove >5,5, LDown, MouseMove >640,500, LUp"},
        {"R7,8 w5000 s", false, "MouseMove >7,8, RDown, RUp"},  // held at Stop
    };
    for (const auto& [script, recordPauses, expected] : cases) {
        recorder.setRecordPauses(recordPauses);
        begin();
        playScript(script);
        EXPECT_EQ(lines(), expected) << script;
    }
}

TEST_F(RecorderTest, SaveWritesTheBufferAndOneLineEndAndAsksBeforeReplacingAnotherFile) {
    chosenPaths = {"r.kyr", "r.kyr", "r.kyr"};
    store.files["r.kyr"] = "old contents";
    recorder.buffer().takeEditedText("Press_Tab\r\nLUp\r\n");
    desktop.questionAnswer = MessageAnswer::Yes;
    recorder.save();
    EXPECT_EQ(store.files["r.kyr"], "Press_Tab\r\nLUp\r\n\r\n") << "ends in an empty line";
    EXPECT_EQ(lineCountResets, 1);
    EXPECT_EQ(desktop.events(),
              Lines{"message \"Overwrite existing file?\" \"Tobrin's Keyreel\" -> yes"});
    // Its own file again: no question; a new recording has no file of its own.
    recorder.buffer().takeEditedText("Press_Tab");
    recorder.save();
    EXPECT_EQ(store.files["r.kyr"], "Press_Tab\r\n");
    recorder.newRecording();
    recorder.save();
    EXPECT_EQ(desktop.events().size(), 2u);
}

TEST_F(RecorderTest, AnUnsavedRecordingGoesOnlyAfterTheQuestion) {
    enum class Way { Close, Begin, New };
    using enum MessageAnswer;
    const std::tuple<Way, MessageAnswer, std::optional<std::string>, bool> cases[] = {
        {Way::Close, No, {}, true},          {Way::Close, Cancel, {}, false},
        {Way::Close, Yes, {}, false},  // the file dialog was cancelled
        {Way::Close, Yes, "kept.kyr", true}, {Way::Begin, Cancel, {}, false},
        {Way::Begin, No, {}, true},          {Way::New, Cancel, {}, false},
        {Way::New, Yes, "new.kyr", true},
    };
    int row = 0;
    for (const auto& [way, answer, chosenPath, goes] : cases) {
        SCOPED_TRACE(row++);
        begin();
        if (way != Way::New)
            recorder.toggleRecording();
        recorder.buffer().takeEditedText("Press_Tab\r\n");
        desktop.questionAnswer = answer;
        if (answer == Yes)
            chosenPaths.push_back(chosenPath);
        const std::size_t asked = desktop.events().size();
        if (way == Way::Close)
            EXPECT_EQ(recorder.readyToClose(), goes);
        else
            way == Way::Begin ? recorder.toggleRecording() : recorder.newRecording();
        ASSERT_GT(desktop.events().size(), asked);
        EXPECT_TRUE(desktop.events()[asked].starts_with("message \"Save the recording?\""));
        if (way != Way::Close) {
            EXPECT_EQ(recorder.buffer().text(), goes ? "" : "Press_Tab\r\n");
            EXPECT_EQ(recorder.idle(), way == Way::Begin && !goes);
        }
        EXPECT_TRUE(!chosenPath || store.files[*chosenPath] == "Press_Tab\r\n\r\n");
    }
}

TEST_F(RecorderTest, NothingIsRecordedWhileTheRecordersOwnQuestionOrDialogIsOpen) {
    begin();
    recorder.keyDown(key::Tab, 0);
    // Meanwhile: no second question, nothing begins or empties.
    const auto answering = [&] {
        EXPECT_TRUE(recorder.asking());
        recorder.keyDown('N', 0);
        recorder.keyUp(key::Shift, 0);
        cursor = ScreenPoint{300, 200};
        recorder.sampleCursor();
        recorder.buttonEvent({button::Left, true, {300, 200}, false});
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
    EXPECT_EQ(dialogs, 2u);
    EXPECT_EQ(desktop.events().size(), 1u) << "one question";
    EXPECT_FALSE(recorder.idle());

    // The answer's click is let go of after the question: not recorded either.
    desktop.atProcessingPoint = nullptr;
    recorder.buttonEvent({button::Left, false, {300, 200}, false});
    recorder.sampleCursor();
    EXPECT_EQ(lines(), "Press_Tab, MouseMove >300,200");
}

// A key as the hook sees it (left and right apart): a letter or a name below.
std::uint8_t hookKey(std::string_view name) {
    using Named = std::pair<std::string_view, std::uint8_t>;
    const Named named[] = {
        {"", 0},         {"LShift", 0xA0}, {"RShift", 0xA1}, {"LCtrl", 0xA2},
        {"RCtrl", 0xA3}, {"LAlt", 0xA4},   {"RAlt", 0xA5},   {"F4", 0x73},
        {"End", 0x23},   {"Scroll", 0x91}, {"Ctrl", 0x11},   {"Alt", 0x12},
    };
    const auto* found = std::ranges::find(named, name, &Named::first);
    return found != std::end(named) ? found->second : static_cast<std::uint8_t>(name[0]);
}

// Transitions, "+Name" down and "-Name" up, through the modifier state and the translator.
TEST(KeyTranslation, ChordsAreWrittenWithTheSameModifiersHeldAroundTheSameKey) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"", "+LShift +A -A -LShift +B -B", "Press_Shift, SendText >a, Release_Shift, SendText >b"},
        {"", "+LAlt +F4 -F4 -LAlt", "ALT_Down, Press_F4, ALT_Up"},
        {"", "+LAlt +F -LAlt -F", "ALT_Down, SendText >f, ALT_Up"},  // Alt let go first
        // AltGr: left Ctrl and right Alt.
        {"", "+LCtrl +RAlt +Q -Q -RAlt -LCtrl",
         "Press_CTRL, ALT_Down, SendText >q, ALT_Up, Release_CTRL"},
        {"", "+LCtrl +A -A +LShift +End -End -LShift +C -C -LCtrl",
         "Press_CTRL, SendText >a, Press_Shift, Press_End, Release_Shift, SendText >c, "
         "Release_CTRL"},
        {"", "+LShift +RShift -LShift +X -RShift", "Press_Shift, SendText >x, Release_Shift"},
        {"", "+RCtrl +LAlt +RAlt -LAlt +Q -RAlt -RCtrl",
         "Press_CTRL, ALT_Down, SendText >q, ALT_Up, Release_CTRL"},
        // Generic codes from other programs count as the left key.
        {"", "+Ctrl +Alt +X -X -LCtrl -LAlt",
         "Press_CTRL, ALT_Down, SendText >x, Release_CTRL, ALT_Up"},
        // Held when the recording began: let go, or used for a key.
        {"LCtrl", "-LCtrl +V", "SendText >v"},
        {"LAlt", "+F4 -F4 -LAlt +F4", "ALT_Down, Press_F4, ALT_Up, Press_F4"},
        {"", "+LCtrl +Scroll", "Press_CTRL"},  // a key without a line writes no holds either
    };
    for (const auto& [heldAtStart, transitions, expected] : cases) {
        ModifierState modifiers =
            ModifierState::seeded([&](std::uint8_t key) { return key == hookKey(heldAtStart); });
        KeyTranslator translator;
        Lines lines;
        for (const auto& step : std::views::split(std::string_view(transitions), ' ')) {
            const std::string_view token(step.begin(), step.end());
            const KeyEvent event = modifiers.note(hookKey(token.substr(1)), token[0] == '+');
            for (std::string& line : event.down ? translator.keyDown(event.keyCode, event.shift)
                                                : translator.keyUp(event.keyCode, event.shift))
                lines.push_back(std::move(line));
        }
        EXPECT_EQ(joined(lines), expected) << transitions;
    }
}

}  // namespace
}  // namespace keyreel
