#include "core/base/text.h"

#include <gtest/gtest.h>

namespace keyreel {
namespace {

TEST(Text, Utf8DecodingReplacesMalformedBytes) {
    const std::string text = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xFF\xC3";
    std::size_t pos = 0;
    std::u32string out;
    while (pos < text.size())
        out += decodeUtf8(text, pos);
    EXPECT_EQ(out, (std::u32string{U'a', U'\u00E9', U'\u20AC', U'\U0001F600', 0xFFFD, 0xFFFD}));
    EXPECT_TRUE(isValidUtf8("a\xC3\xA9\xEF\xBF\xBD"));
    EXPECT_FALSE(isValidUtf8("\xE9t\xE9"));
    EXPECT_FALSE(isValidUtf8("\xC0\xAF")) << "overlong";
}

TEST(Text, Windows1252RoundTripsItsCharactersAndRefusesOthers) {
    const Windows1252 cp;
    EXPECT_EQ(cp.toUtf8("\x80\xE9\x81"), "\xE2\x82\xAC\xC3\xA9\xC2\x81");
    EXPECT_EQ(cp.fromUtf8("\xE2\x82\xAC\xC3\xA9\xC2\x81"), "\x80\xE9\x81");
    EXPECT_FALSE(cp.fromUtf8("\xCE\xA9"));  // Greek capital omega
    EXPECT_FALSE(cp.fromUtf8("\xE4\xBD\xA0"));
}

TEST(Text, LinesEndAtEachKindOfLineBreakAndBlanksAreTrimmed) {
    using Lines = std::vector<std::string_view>;
    EXPECT_EQ(splitLines("a\r\n\r\nb\rc\nd"), (Lines{"a", "", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n"), (Lines{"a"})) << "a final line end starts no line";
    EXPECT_EQ(splitLines("a\n\n"), (Lines{"a", ""}));
    EXPECT_EQ(splitLines("\r\r\n"), (Lines{"", ""})) << "CR, then CR LF";
    EXPECT_TRUE(splitLines("").empty());
    EXPECT_EQ(withCrLfLineEnds("a\nb\r\nc\rd\r\r\n\n"), "a\r\nb\r\nc\r\nd\r\n\r\n\r\n")
        << "each line end of splitLines becomes one CR LF";

    EXPECT_EQ(trimBlanks(" \t a b\t "), "a b");
    EXPECT_EQ(trimBlanks(" \t "), "");
    EXPECT_TRUE(isAllBlank(" \t"));
    EXPECT_FALSE(isAllBlank(" x "));
}

TEST(Text, QuotedEscapesQuotesBackslashesAndControls) {
    EXPECT_EQ(quoted("a\"b\\c\td\r\n\x01\x7F\xC3\xA9"),
              "\"a\\\"b\\\\c\\td\\r\\n\\x01\\x7F\xC3\xA9\"");
}

TEST(Text, SearchLowerCaseCoversLatin1Letters) {
    EXPECT_EQ(toLowerForSearch("R\xC3\x89SUM\xC3\x89 Notepad"), "r\xC3\xA9sum\xC3\xA9 notepad");
    EXPECT_EQ(toLowerForSearch("\xC3\x97"), "\xC3\x97") << "the multiplication sign has no case";
}

}  // namespace
}  // namespace keyreel
