#include "core/macro/line_syntax.h"

#include <gtest/gtest.h>

namespace keyreel {
namespace {

TEST(LineSyntax, NextTokenCutsAtTheFirstDelimiter) {
    std::string_view text = "a  b";
    EXPECT_EQ(nextToken(text), "a");
    EXPECT_EQ(nextToken(text), "");
    EXPECT_EQ(nextToken(text), "b");
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(textBefore("x,y", ','), "x");
    EXPECT_EQ(textAfter("x,y", ','), "y");
    EXPECT_EQ(textAfter("xy", ','), "xy");
}

TEST(LineSyntax, LineValueTakesTheTextAfterTheFirstOrSecondMarker) {
    EXPECT_EQ(lineValue("Wait >5"), "5");
    EXPECT_EQ(lineValue("Wait > 5"), "5");
    EXPECT_EQ(lineValue("Wait>5"), "5");
    EXPECT_EQ(lineValue("SendText >a > b"), "b");
    EXPECT_EQ(lineValue("SendText >a>b>c"), "b>c");
    EXPECT_EQ(lineValue("SendText >hello "), "hello ");
    EXPECT_EQ(lineValue("SendText > \thi"), "\thi") << "only spaces are skipped";
    EXPECT_EQ(lineValue("SendText"), "SendText");
    EXPECT_EQ(lineValue("SendText >"), "");
}

TEST(LineSyntax, NumbersRoundHalfToEvenAndMustFitTheirWidth) {
    EXPECT_EQ(parseCount("2.5"), 2);
    EXPECT_EQ(parseCount("3.5"), 4);
    EXPECT_EQ(parseCount("2.51"), 3);
    EXPECT_EQ(parseCount("-2.5"), -2);
    EXPECT_EQ(parseCount(" +7 "), 7);
    EXPECT_EQ(parseCount("5."), 5);
    EXPECT_EQ(parseCount(".5"), 0);
    EXPECT_EQ(parseCount("2147483647"), 2147483647);
    EXPECT_EQ(parseCount("-2147483648"), -2147483647 - 1);
    for (const char* bad : {"", " ", "abc", "1e3", "1,5", "--1", "2147483648", "1 2", ".", "0x10",
                            "99999999999999999999999"}) {
        EXPECT_FALSE(parseCount(bad)) << bad;
    }
    EXPECT_EQ(parseCoordinate("-32768"), -32768);
    EXPECT_FALSE(parseCoordinate("32768"));
    EXPECT_FALSE(parseCoordinate("32767.5")) << "rounds to 32768";
}

TEST(LineSyntax, ScreenPointsNeedAUsableXAndY) {
    EXPECT_EQ(parseScreenPoint("100,200"), (ScreenPoint{100, 200}));
    EXPECT_EQ(parseScreenPoint("100, 200"), (ScreenPoint{100, 200}));
    EXPECT_EQ(parseScreenPoint("1,2,3"), (ScreenPoint{1, 3}));
    EXPECT_EQ(parseScreenPoint(" 7 , 8 "), (ScreenPoint{7, 8}));
    for (const char* bad : {"100", "a,1", "1,", ",1", "1,2,x", "40000,0", ""}) {
        EXPECT_FALSE(parseScreenPoint(bad)) << bad;
    }
}

}  // namespace
}  // namespace keyreel
