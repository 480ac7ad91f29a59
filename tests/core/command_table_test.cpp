#include "core/macro/command_table.h"

#include <gtest/gtest.h>

#include <set>

namespace keyreel {
namespace {

TEST(CommandTable, FindsEachDistinctWordExactly) {
    std::set<std::string_view> words;
    for (const auto& c : commandTable())
        EXPECT_TRUE(words.insert(c.word).second) << c.word;
    EXPECT_EQ(words.size(), 59u);
    EXPECT_EQ(findCommand("Press_F12")->code, 0x7B);
    for (const char* notACommand : {"Press_Alt", "press_enter", "Press_Pause", "Release_ALT"}) {
        EXPECT_EQ(findCommand(notACommand), nullptr) << notACommand;
    }
}

}  // namespace
}  // namespace keyreel
