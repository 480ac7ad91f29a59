// Text below the player: UTF-8, the code page, the line syntax, lint and the Check list.

#include <gtest/gtest.h>

#include "core/base/text.h"
#include "core/editor/check_list.h"
#include "core/macro/line_syntax.h"
#include "core/macro/lint.h"

namespace keyreel {
namespace {

TEST(Text, DecodingCodePageLinesAndQuoting) {
    const std::string text = "a\xC3\xA9\xF0\x9F\x98\x80\xFF\xC3";
    std::size_t pos = 0;
    std::u32string out;
    while (pos < text.size())
        out += decodeUtf8(text, pos);
    EXPECT_EQ(out, (std::u32string{U'a', U'\u00E9', U'\U0001F600', 0xFFFD, 0xFFFD}));
    EXPECT_FALSE(isValidUtf8("\xC0\xAF")) << "overlong";
    const Windows1252 cp;
    EXPECT_EQ(cp.fromUtf8(cp.toUtf8("\x80\xE9\x81")), "\x80\xE9\x81");
    EXPECT_FALSE(cp.fromUtf8("\xCE\xA9"));
    EXPECT_EQ(withCrLfLineEnds("a\nb\r\nc\rd\r\r\n\n"), "a\r\nb\r\nc\r\nd\r\n\r\n\r\n");
    EXPECT_EQ(quoted("a\"b\\c\td\r\n\x01\xC3\xA9"), "\"a\\\"b\\\\c\\td\\r\\n\\x01\xC3\xA9\"");
    EXPECT_EQ(toLowerForSearch("R\xC3\x89SUM\xC3\x89 \xC3\x97"), "r\xC3\xA9sum\xC3\xA9 \xC3\x97");
}

TEST(LineSyntax, TokensValuesNumbersAndPoints) {
    std::string_view text = "a  b";
    EXPECT_EQ(nextToken(text), "a");
    EXPECT_EQ(nextToken(text), "");
    EXPECT_EQ(nextToken(text), "b");
    const std::pair<const char*, const char*> values[] = {
        {"Wait > 5", "5"},           {"Wait>5", "5"},
        {"SendText >a > b", "b"},    {"SendText >a>b>c", "b>c"},
        {"SendText > \thi", "\thi"}, {"SendText", "SendText"},
    };
    for (const auto& [line, value] : values)
        EXPECT_EQ(lineValue(line), value) << line;
    // Numbers round half to even and must fit their width.
    const std::pair<const char*, std::optional<std::int32_t>> counts[] = {
        {"2.5", 2},         {"3.5", 4},   {"-2.5", -2},
        {" +7 ", 7},        {".5", 0},    {"1e3", {}},
        {"--1", {}},        {"0x10", {}}, {"2147483647", 2147483647},
        {"2147483648", {}},
    };
    for (const auto& [textValue, count] : counts)
        EXPECT_EQ(parseCount(textValue), count) << textValue;
    EXPECT_FALSE(parseCoordinate("32767.5")) << "rounds to 32768";
    EXPECT_EQ(parseScreenPoint("1,2,3"), (ScreenPoint{1, 3}));
    for (const char* bad : {"100", "1,", "1,2,x", "40000,0"})
        EXPECT_FALSE(parseScreenPoint(bad)) << bad;
}

TEST(Lint, ReportsProbableMistakesWithLineNumbersAfterEveryKindOfLineEnd) {
    const auto findings = lintMacroText(
        "press_enter\r\n"                 // 1: wrong case
        "SendText\r\n"                    // 2: no value
        "\r\n"                            // 3: empty, fine
        "Wait >abc\n"                     // 4: not a number
        "MouseMove >100\r"                // 5: no y
        "SendText >Done Press_Enter\r\n"  // 6: command inside the value
        "Press_Pause\r\n"                 // 7: plays as nothing
        "Wait>5\r\n"                      // 8: glued marker
        "LClik  Press_Tab\r\n"            // 9: one edit away; double space is fine
        "Rexeay\r\n"                      // 10: six letters, two edits away
        "Hello");                         // 11: nothing close
    const std::vector<LintFinding> expected = {
        {1, "'press_enter' is no command word; did you mean 'Press_Enter'?"},
        {2, "'SendText' has no '>' value: it will use the whole line 'SendText' as its value"},
        {4, "'Wait' value 'abc' is not a whole number: it will not wait"},
        {5, "'MouseMove' value '100' is no usable x,y point: the pointer will not move"},
        {6, "'Press_Enter' inside the value will also run as a command"},
        {7, "'Press_Pause' is no command word and plays as nothing"},
        {8, "'Wait>5' is no command word: write 'Wait >5'"},
        {9, "'LClik' is no command word; did you mean 'LClick'?"},
        {10, "'Rexeay' is no command word; did you mean 'Repeat'?"},
        {11, "'Hello' is no command word"},
    };
    EXPECT_EQ(findings, expected);
    EXPECT_EQ(checkListRows(findings).back(), "Line 11: 'Hello' is no command word");
    EXPECT_EQ(checkListRows({}), std::vector<std::string>{"No probable mistakes found."});
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
