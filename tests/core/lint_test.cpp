// The lint rules that kyr lint and the editor's Check share.

#include "core/macro/lint.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace keyreel {
namespace {

TEST(Lint, ReportsProbableMistakesWithLineNumbers) {
    const auto findings = lintMacroText(
        "press_enter\r\n"                 // 1: wrong case
        "SendText\r\n"                    // 2: no value
        "\r\n"                            // 3: empty, fine
        "Wait >abc\r\n"                   // 4: not a number
        "Repeat >2\r\n"                   // 5: fine
        "MouseMove >100\r\n"              // 6: no y
        "SendText >Done Press_Enter\r\n"  // 7: command inside the value
        "Press_Pause\r\n"                 // 8: plays as nothing
        "Wait>5\r\n"                      // 9: glued marker
        "LClik  Press_Tab\r\n"            // 10: one edit away; double space is fine
        "Hello\r\n");                     // 11: nothing close
    const std::vector<LintFinding> expected = {
        {1, "'press_enter' is no command word; did you mean 'Press_Enter'?"},
        {2, "'SendText' has no '>' value: it will use the whole line 'SendText' as its value"},
        {4, "'Wait' value 'abc' is not a whole number: it will not wait"},
        {6, "'MouseMove' value '100' is no usable x,y point: the pointer will not move"},
        {7, "'Press_Enter' inside the value will also run as a command"},
        {8, "'Press_Pause' is no command word and plays as nothing"},
        {9, "'Wait>5' is no command word: write 'Wait >5'"},
        {10, "'LClik' is no command word; did you mean 'LClick'?"},
        {11, "'Hello' is no command word"},
    };
    EXPECT_EQ(findings, expected);
}

TEST(Lint, LineNumbersFollowEveryKindOfLineEnd) {
    // The editor selects a finding's line by this number, whatever line ends
    // a pasted text brought along.
    const auto findings = lintMacroText("Wait >1\nHello\rPress_Tab\r\n\r\nHullo");
    EXPECT_EQ(findings, (std::vector<LintFinding>{{2, "'Hello' is no command word"},
                                                  {5, "'Hullo' is no command word"}}));
}

}  // namespace
}  // namespace keyreel
