// The editor's Check list and the line a chosen finding selects.

#include "core/editor/check_list.h"

#include <gtest/gtest.h>

namespace keyreel {
namespace {

TEST(CheckList, ListsEachFindingWithItsLineOrSaysTheTextIsClean) {
    EXPECT_EQ(checkListRows(lintMacroText("Wait >1\r\nHello\r\n")),
              std::vector<std::string>{"Line 2: 'Hello' is no command word"});
    EXPECT_EQ(checkListRows(lintMacroText("Wait >1\r\n")),
              std::vector<std::string>{"No probable mistakes found."});
}

TEST(CheckList, AFindingSelectsItsLineInEditControlPositions) {
    // "é" and "你" are one UTF-16 unit each, the emoji two.
    const std::string text = "Wait >1\r\nSendText >\xC3\xA9\xF0\x9F\x98\x80\nHullo\r\n\xE4\xBD\xA0";
    const std::vector<std::pair<int, TextRange>> cases = {
        {1, {0, 7}}, {2, {9, 22}}, {3, {23, 28}}, {4, {30, 31}}, {5, {31, 31}}, {0, {31, 31}},
    };
    for (const auto& [line, range] : cases)
        EXPECT_EQ(lineRange(text, line), range) << "line " << line;
}

}  // namespace
}  // namespace keyreel
