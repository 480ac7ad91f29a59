// The builder: the chooser's words, line composition, the list edits with
// macroLineCount, save and load, the list tooltip, and plays of a list that
// changed under them.

#include "core/main_window/macro_builder.h"
#include "core/base/text.h"

#include <gtest/gtest.h>

#include "core/main_window/pointer_display.h"
#include "model_fixture.h"

namespace keyreel {
namespace {

using Lines = MacroList;

TEST(BuilderWords, OffersFiftyEightWordsInTheBuildersOwnOrder) {
    const std::vector<std::string_view> words = builderCommandWords();
    ASSERT_EQ(words.size(), 58u);
    EXPECT_EQ(words[0], "RunProgram");
    EXPECT_EQ(words[9], "Repeat");
    EXPECT_EQ(words[10], "End_Repeat");
    EXPECT_EQ(words[57], "Loop");
    EXPECT_EQ(std::count(words.begin(), words.end(), "Message"), 0);
    for (std::size_t i = 0; i < words.size(); ++i) {
        const CommandInfo* command = findCommand(words[i]);
        ASSERT_NE(command, nullptr) << i;
        // The composition rule (valued below 10, bare from 10 on) must agree
        // with what the player reads.
        EXPECT_EQ(command->takesValue, i < 10) << words[i];
    }
}

TEST(ComposeLine, FollowsThePositionAndTheWaitAndRepeatDefault) {
    struct Case {
        std::string_view word;
        std::int64_t position;
        std::string_view value;
        std::optional<std::string> line;
    };
    const Case cases[] = {
        {"Wait", 3, "", "Wait >1"},
        {"Wait", 3, " ", "Wait >1"},
        {"Wait", 3, "  ", "Wait >  "},
        {"Wait", 3, "x", "Wait >x"},
        {"Repeat", 9, "3", "Repeat >3"},
        {"Repeat", kNoPosition, "", "Repeat >1"},
        {"End_Repeat", 10, "5", "End_Repeat"},
        {"LClick", 51, "anything", "LClick"},
        {"LClick", kNoPosition, "anything", "LClick >anything"},
        {"Loop", 57, "", "Loop"},
        {"SendText", 7, "", "SendText >"},
        {"SendText", 7, " hello > there ", "SendText > hello > there "},
        {"MessageBox", 2, "Hi", "MessageBox >Hi"},
        {"", 3, "5", std::nullopt},
        {"", kNoPosition, "", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(composeLine({c.word, c.position, c.value}), c.line)
            << c.word << " at " << c.position << " with '" << c.value << "'";
    }
}

TEST(ListTip, ShowsTheNearestLineInsideTheListAndNothingOutside) {
    const Lines list{"Wait >1", "SendText >a long line"};
    EXPECT_EQ(listTipText(list, 1, true), "SendText >a long line");
    EXPECT_EQ(listTipText(list, 0, true), "Wait >1");
    EXPECT_EQ(listTipText(list, 1, false), "") << "outside the list";
    EXPECT_EQ(listTipText(list, 2, true), "");
    EXPECT_EQ(listTipText(list, -1, true), "");
    EXPECT_EQ(listTipText({}, 0, true), "") << "empty list";
}

class MacroBuilderTest : public ::testing::Test, protected ModelParts {
  protected:
    std::int32_t lineCount() { return model.runState().macroLineCount; }
};

TEST_F(MacroBuilderTest, AddInsertAndDeleteSetTheLineCountAsThePlayerReadsIt) {
    builder.add({"Press_Tab", 13, "ignored"});
    EXPECT_EQ(lineCount(), 0) << "the count before the new line";
    builder.add({"", kNoPosition, "x"});
    EXPECT_EQ(lineCount(), 1) << "counted even when nothing is added";
    builder.insert(kNoPosition, {"Wait", 3, ""});
    builder.insert(1, {"Wait", 3, ""});
    EXPECT_EQ(model.list(), (Lines{"Press_Tab"})) << "insert needs a selected line";
    builder.insert(0, {"SendText", 7, "a"});
    builder.insert(1, {"SendText", 7, "b"});
    EXPECT_EQ(model.list(), (Lines{"SendText >a", "SendText >b", "Press_Tab"}));
    EXPECT_EQ(lineCount(), 2);

    builder.deleteLine(kNoPosition);
    builder.deleteLine(3);
    EXPECT_EQ(lineCount(), 2) << "nothing selected: nothing changes";
    builder.deleteLine(0);
    EXPECT_EQ(model.list(), (Lines{"SendText >b", "Press_Tab"}));
    EXPECT_EQ(lineCount(), 2) << "the new count";

    model.runList();
    EXPECT_EQ(desktop.events(),
              (std::vector<std::string>{"type \"b\"", "tick 1", "key down 0x09", "key up 0x09"}));
}

TEST_F(MacroBuilderTest, ARunAfterClearPlaysNothingAndTheNextLinesPlayAgain) {
    folder.write("m.kyr", "Press_Tab\r\nPress_Up\r\nPress_Down\r\n");
    builder.load(folder.file("m.kyr"));
    EXPECT_EQ(lineCount(), 3);
    builder.clear();
    EXPECT_TRUE(model.list().empty());
    EXPECT_EQ(lineCount(), 3) << "Clear keeps the count";
    model.runList();
    EXPECT_TRUE(desktop.events().empty());
    EXPECT_EQ(model.title(), kIdleTitle);

    builder.add({"Press_End", 29, ""});
    model.runList();
    EXPECT_EQ(desktop.events(), (std::vector<std::string>{"key down 0x23", "key up 0x23"}));
}

TEST_F(MacroBuilderTest, APlayReadsOnlyTheLinesLeftWhenTheListChangesUnderIt) {
    folder.write("m.kyr", "Wait >1\r\nPress_Tab\r\nPress_Up\r\nPress_Down\r\n");
    builder.load(folder.file("m.kyr"));
    bool cleared = false;
    desktop.atProcessingPoint = [&] {
        if (!cleared) {
            cleared = true;
            builder.deleteLine(1);  // Delete clicked during the wait
            builder.clear();        // then File > Clear
            builder.add({"Press_End", 29, ""});
        }
    };
    model.runList();
    // Line 0 (the wait) was playing; line 1 is gone, so only the new line 0
    // remains, and the run reads past it into nothing.
    EXPECT_EQ(desktop.events(), (std::vector<std::string>{"wait 1"}));
    EXPECT_EQ(model.list(), (Lines{"Press_End"}));
}

// How a list file is written and when it asks is the macro file's; here: the
// builder saves the model's list and asks only for a file that exists.
TEST_F(MacroBuilderTest, SavesTheListAndAsksBeforeReplacingAFile) {
    builder.add({"Wait", 3, ""});
    const std::string path = folder.file("built.kyr");
    EXPECT_EQ(builder.save(path), SaveOutcome::Saved);
    EXPECT_TRUE(desktop.events().empty()) << "a new file: no question";
    builder.add({"Loop", 57, ""});
    desktop.questionAnswer = MessageAnswer::No;
    EXPECT_EQ(builder.save(path), SaveOutcome::Declined);
    EXPECT_EQ(folder.read("built.kyr"), "Wait >1\r\n");
    EXPECT_EQ(builder.save(folder.file("no-such-folder/x.kyr")), SaveOutcome::Failed);
}

TEST_F(MacroBuilderTest, LoadSetsTheCountFromTheListAndReportsAnUnreadableFile) {
    folder.write("m.kyr", "Press_Tab\r\n\r\nPress_Up\r\n");
    builder.load(folder.file("m.kyr"));
    EXPECT_EQ(model.list(), (Lines{"Press_Tab", "Press_Up"}));
    EXPECT_EQ(lineCount(), 2);
    // A list from a downloaded file carries the mark to a new name.
    folder.write("m.kyr:Zone.Identifier", std::string(kInternetZoneMark));
    builder.save(folder.file("plain.kyr"));
    EXPECT_FALSE(files.webMarked(folder.file("plain.kyr"))) << "loaded before it was marked";
    builder.load(folder.file("m.kyr"));
    builder.save(folder.file("copy.kyr"));
    EXPECT_TRUE(files.webMarked(folder.file("copy.kyr")));
    builder.clear();
    builder.load(folder.file("missing.kyr"));
    EXPECT_TRUE(model.list().empty());
    EXPECT_EQ(lineCount(), 0);
    EXPECT_EQ(desktop.events(),
              (Lines{"message " +
                     keyreel::quoted("The macro file " + folder.file("missing.kyr") +
                                     " could not be read.") +
                     " \"Tobrin's Keyreel\" -> ok"}));
}

TEST(PointerDisplay, ShowsSignedPositionsAndPlacesTheTrackerBesideThePointer) {
    EXPECT_EQ(pointerPositionText(640, 12), "640,12");
    EXPECT_EQ(pointerPositionText(-1280, -5), "-1280,-5") << "a screen left of the primary one";
    struct Case {
        int x, y, dpi, left, top;
    };
    // 200 twips: 13.3 pixels at 96 DPI, 20 at 144, 26.7 at 192.
    const Case cases[] = {{0, 0, 96, 13, 13},
                          {-1280, -5, 96, -1267, 8},
                          {0, 0, 144, 20, 20},
                          {1279, 1023, 192, 1306, 1050}};
    for (const Case& c : cases) {
        const TrackerPlacement at = trackerPlacement(c.x, c.y, c.dpi);
        EXPECT_EQ(at.left, c.left) << c.x << "," << c.y << " at " << c.dpi;
        EXPECT_EQ(at.top, c.top) << c.x << "," << c.y << " at " << c.dpi;
    }
}

}  // namespace
}  // namespace keyreel
