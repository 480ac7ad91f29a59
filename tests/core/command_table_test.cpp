#include "core/macro/command_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

namespace keyreel {
namespace {

TEST(CommandTable, HoldsFiftyNineDistinctWords) {
    std::set<std::string_view> words;
    for (const auto& c : commandTable())
        EXPECT_TRUE(words.insert(c.word).second) << c.word;
    EXPECT_EQ(words.size(), 59u);
}

// The lookup hashes; comparing with every word, one after the other, is
// the rule it must agree with, for words and for near misses of them.
TEST(CommandTable, LookupAgreesWithComparingEveryWord) {
    const auto compareAll = [](std::string_view word) -> const CommandInfo* {
        for (const CommandInfo& c : commandTable()) {
            if (c.word == word)
                return &c;
        }
        return nullptr;
    };
    std::vector<std::string> probes = {"",
                                       " ",
                                       "x",
                                       "Press_",
                                       "MouseMove >1,2",
                                       std::string(300, 'P'),
                                       "Wait\t",
                                       "\xC3\xA9t\xC3\xA9"};
    for (const CommandInfo& c : commandTable()) {
        const std::string word(c.word);
        for (std::size_t length = 0; length < word.size(); ++length)
            probes.push_back(word.substr(0, length));
        probes.push_back(word + "s");
        probes.push_back(" " + word);
        probes.push_back(word.substr(1));
        std::string upper = word;
        std::transform(upper.begin(), upper.end(), upper.begin(),
                       [](unsigned char ch) { return static_cast<char>(std::toupper(ch)); });
        probes.push_back(upper);
    }
    for (const std::string& probe : probes)
        EXPECT_EQ(findCommand(probe), compareAll(probe)) << '"' << probe << '"';
    for (const CommandInfo& c : commandTable())
        EXPECT_EQ(findCommand(std::string(c.word)), &c) << c.word;
}

}  // namespace
}  // namespace keyreel
