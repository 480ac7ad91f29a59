// The help: every command word is described, the contents and links name
// pages that exist, and the messages page lists every message the program
// shows.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <utility>

#include "command_docs.h"
#include "core/base/message_texts.h"
#include "core/macro/command_table.h"
#include "core/recorder/key_translation.h"
#include "help_project.h"

namespace keyreel::help {
namespace {

std::string readSource(const std::string& relative) {
    std::ifstream in(std::string(KEYREEL_SOURCE_DIR) + "/" + relative, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The page's text without tags and entities, each run of blanks one blank.
std::string plainText(std::string_view html) {
    static const std::pair<std::string_view, char> kEntities[] = {
        {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&nbsp;", ' '}, {"&amp;", '&'}};
    std::string text;
    for (std::size_t at = 0; at < html.size(); ++at) {
        char c = html[at];
        if (c == '<') {
            at = html.find('>', at);
            c = ' ';
        }
        for (const auto& [entity, character] : kEntities) {
            if (html.substr(at).starts_with(entity)) {
                c = character;
                at += entity.size() - 1;
            }
        }
        const bool blank = std::isspace(static_cast<unsigned char>(c)) != 0;
        if (!blank || (!text.empty() && text.back() != ' '))
            text += blank ? ' ' : c;
    }
    return text;
}

// Whether the text shows the message: its fixed parts, in order, whatever
// the page writes for each "{}".
bool showsMessage(std::string_view text, std::string_view message) {
    const std::string fixed = plainText(message);
    std::size_t from = text.find(fixed.substr(0, fixed.find("{}")));
    for (std::size_t start = 0; from != std::string_view::npos;) {
        const std::size_t hole = fixed.find("{}", start);
        std::string part = fixed.substr(start, hole - start);
        part.erase(0, part.find_first_not_of(' '));
        part.erase(part.find_last_not_of(' ') + 1);
        from = text.find(part, from);
        if (hole == std::string::npos || from == std::string_view::npos)
            break;
        start = hole + 2;
    }
    return from != std::string_view::npos;
}

TEST(HelpPages, TheMessagesPageShowsEveryMessageOfTheProgram) {
    const std::string page = plainText(readSource("docs/help/messages.html"));
    for (const char* message : kMessageTexts)
        EXPECT_TRUE(showsMessage(page, message)) << message;
}

TEST(HelpPages, EveryCommandWordIsDescribedAndTheContentsNameExistingPages) {
    EXPECT_EQ(checkCommandDocs(), std::vector<std::string>{});
    EXPECT_EQ(commandDocs().size(), commandTable().size());
    // A recording holds command words and the words the reference lists as
    // playing nothing, so every word of it can be looked up.
    std::string overview;
    for (const GeneratedFile& page : commandPages())
        overview += page.name == "commands.html" ? page.content : "";
    for (int code = 0; code < 256; ++code) {
        const auto line = keyLine(static_cast<std::uint8_t>(code));
        if (!line)
            continue;
        const std::string word = line->substr(0, line->find(' '));
        EXPECT_TRUE(findCommand(word) != nullptr ||
                    overview.find("<code>" + word + "</code>") != std::string::npos)
            << word;
    }
    std::vector<std::string> problems;
    const std::vector<ContentsEntry> contents =
        readContents(readSource("docs/help/contents.txt"), problems);
    EXPECT_EQ(problems, std::vector<std::string>{});
    for (const ContentsEntry& entry : contents) {
        EXPECT_TRUE(entry.commandReference ||
                    std::filesystem::is_regular_file(std::string(KEYREEL_SOURCE_DIR) +
                                                     "/docs/help/" + entry.page))
            << entry.page;
    }
}

// No link of a written or generated page ends on an error page, and every
// picture is one of the help's images.
TEST(HelpPages, EveryLinkLeadsToAPageOfTheHelp) {
    std::set<std::string> pages;
    std::vector<std::pair<std::string, std::string>> texts;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::string(KEYREEL_SOURCE_DIR) + "/docs/help")) {
        const std::string name = entry.path().filename().string();
        pages.insert(name);
        if (name.ends_with(".html"))
            texts.emplace_back(name, readSource("docs/help/" + name));
    }
    const std::string imageFolder = std::string(KEYREEL_SOURCE_DIR) + "/docs/help/images";
    if (std::filesystem::is_directory(imageFolder)) {
        for (const auto& entry : std::filesystem::directory_iterator(imageFolder))
            pages.insert("images/" + entry.path().filename().string());
    }
    for (const GeneratedFile& page : commandPages()) {
        pages.insert(page.name);
        texts.emplace_back(page.name, page.content);
    }
    int links = 0;
    for (const auto& [name, text] : texts) {
        for (std::size_t at = text.find("=\""); at != std::string::npos;
             at = text.find("=\"", at + 1)) {
            if (text.compare(at - 4, 4, "href") != 0 && text.compare(at - 3, 3, "src") != 0)
                continue;
            const std::size_t start = at + 2;
            std::string target = text.substr(start, text.find('"', start) - start);
            target = target.substr(0, target.find('#'));
            if (target.empty() || target.starts_with("http"))
                continue;
            ++links;
            EXPECT_TRUE(pages.contains(target)) << name << " links to " << target;
        }
    }
    EXPECT_GT(links, 100);
}

}  // namespace
}  // namespace keyreel::help
