// The builder: lines, list edits with macroLineCount, load, tooltip and pointer display.

#include "core/main_window/macro_builder.h"

#include <gtest/gtest.h>

#include <utility>

#include "core/base/text.h"
#include "core/main_window/pointer_display.h"
#include "model_fixture.h"

namespace keyreel {
namespace {

using Lines = MacroList;

TEST(ComposeLine, FollowsThePositionAndTheWaitAndRepeatDefault) {
    const std::tuple<std::string_view, std::int64_t, std::string_view, std::optional<std::string>>
        cases[] = {
            {"Wait", 3, " ", "Wait >1"},
            {"Wait", 3, "  ", "Wait >  "},
            {"Repeat", kNoPosition, "", "Repeat >1"},
            {"End_Repeat", 10, "5", "End_Repeat"},
            {"LClick", 51, "x", "LClick"},
            {"LClick", kNoPosition, "x", "LClick >x"},
            {"SendText", 7, "", "SendText >"},
            {"SendText", 7, " a > b ", "SendText > a > b "},
            {"", 3, "5", std::nullopt},
        };
    for (const auto& [word, position, value, line] : cases)
        EXPECT_EQ(composeLine({word, position, value}), line) << word << " at " << position;
}

TEST(BuilderDisplays, ListTipAndPointerPositionAndTrackerPlacement) {
    const Lines list{"Wait >1", "SendText >a"};
    EXPECT_EQ(listTipText(list, 1, true), "SendText >a");
    for (const auto& [row, inside] : {std::pair{1, false}, {2, true}, {-1, true}})
        EXPECT_EQ(listTipText(list, row, inside), "") << row;
    // 200 twips beside the pointer: 13.3 pixels at 96 DPI, 26.7 at 192.
    EXPECT_EQ(trackerPlacement(-1280, -5, 96).left, -1267);
    EXPECT_EQ(trackerPlacement(1279, 1023, 192).top, 1050);
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
    model.runList();
    EXPECT_EQ(desktop.events(), (Lines{"type \"b\"", "tick 1", "key down 0x09", "key up 0x09"}));
}

TEST_F(MacroBuilderTest, APlayReadsOnlyTheLinesLeftWhenTheListChangesUnderIt) {
    folder.write("m.kyr", "Wait >1\r\nPress_Tab\r\nPress_Up\r\nPress_Down\r\n");
    builder.load(folder.file("m.kyr"));
    desktop.atProcessingPoint = [&, once = true]() mutable {
        if (!std::exchange(once, false))
            return;
        builder.deleteLine(1);
        builder.clear();
        builder.add({"Press_End", 29, ""});
    };
    model.runList();
    EXPECT_EQ(desktop.events(), (Lines{"wait 1"})) << "line 1 on is gone";
    EXPECT_EQ(model.list(), (Lines{"Press_End"}));
}

TEST_F(MacroBuilderTest, LoadSetsTheCountAndAListFromADownloadedFileKeepsItsMark) {
    folder.write("m.kyr", "Press_Tab\r\n\r\nPress_Up\r\n");
    builder.load(folder.file("m.kyr"));
    EXPECT_EQ(lineCount(), 2);
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
    EXPECT_EQ(desktop.events().size(), 1u) << "told";
}

}  // namespace
}  // namespace keyreel
