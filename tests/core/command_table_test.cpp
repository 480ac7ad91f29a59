#include "command_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace keyreel {
namespace {

TEST(CommandTable, HoldsEveryWordOnceInComparisonOrder) {
    const auto table = commandTable();
    ASSERT_EQ(table.size(), 59u);
    EXPECT_EQ(table.front().word, "RunProgram");
    EXPECT_EQ(table[12].word, "Press_F1");
    EXPECT_EQ(table[23].word, "Press_F12");
    EXPECT_EQ(table[23].code, 0x7B);
    EXPECT_EQ(table.back().word, "MessageBox");
    std::set<std::string_view> words;
    for (const auto& c : table)
        EXPECT_TRUE(words.insert(c.word).second) << c.word;
}

TEST(CommandTable, FindsOnlyExactWords) {
    ASSERT_NE(findCommand("Press_ALT"), nullptr);
    EXPECT_EQ(findCommand("Press_ALT")->kind, CommandKind::TapAlt);
    EXPECT_EQ(findCommand("Press_Alt"), nullptr);
    EXPECT_EQ(findCommand("press_enter"), nullptr);
    EXPECT_EQ(findCommand("Press_Pause"), nullptr);
    EXPECT_EQ(findCommand("Release_ALT"), nullptr);
    EXPECT_TRUE(findCommand("Wait")->takesValue);
    EXPECT_FALSE(findCommand("Loop")->takesValue);
}

}  // namespace
}  // namespace keyreel
