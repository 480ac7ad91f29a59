// The help: every command word is described and reachable from the contents
// and the index, the contents list names pages that exist, and the messages
// page lists every message the program shows.

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

std::string contentOf(const std::vector<GeneratedFile>& files, const std::string& name) {
    for (const GeneratedFile& file : files) {
        if (file.name == name)
            return file.content;
    }
    ADD_FAILURE() << "no " << name;
    return {};
}

// Runs of blanks and line breaks as one blank.
std::string oneBlank(std::string_view text) {
    std::string out;
    for (const char c : text) {
        const bool blank = std::isspace(static_cast<unsigned char>(c)) != 0;
        if (!blank)
            out += c;
        else if (!out.empty() && out.back() != ' ')
            out += ' ';
    }
    return out;
}

// The plain text of each cell, paragraph and list item of a page.
std::vector<std::string> blocksOf(std::string_view html) {
    static const std::set<std::string> kBlockEnds = {"/td", "/th", "/p", "/li", "/dd", "/pre"};
    static const std::pair<std::string_view, std::string_view> kEntities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&nbsp;", " "}, {"&amp;", "&"}};
    std::vector<std::string> blocks;
    std::string text;
    for (std::size_t at = 0; at < html.size(); ++at) {
        if (html[at] == '<') {
            const std::size_t end = html.find('>', at);
            std::string tag(html.substr(at + 1, end - at - 1));
            std::transform(tag.begin(), tag.end(), tag.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            if (kBlockEnds.contains(tag))
                blocks.push_back(oneBlank(std::exchange(text, {})));
            at = end;
            continue;
        }
        const auto entity =
            std::find_if(std::begin(kEntities), std::end(kEntities),
                         [&](const auto& e) { return html.substr(at).starts_with(e.first); });
        if (entity != std::end(kEntities)) {
            text += entity->second;
            at += entity->first.size() - 1;
        } else {
            text += html[at];
        }
    }
    return blocks;
}

// Whether the block shows the message: its fixed parts, in order, whatever
// the block writes for each "{}".
bool showsMessage(std::string_view block, std::string_view message) {
    const std::string fixed = oneBlank(message);
    std::size_t from = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t hole = fixed.find("{}", start);
        std::string part = oneBlank(fixed.substr(start, hole - start));
        if (part.starts_with(' '))
            part.erase(0, 1);
        if (part.ends_with(' '))
            part.pop_back();
        if (!part.empty()) {
            from = block.find(part, from);
            if (from == std::string_view::npos)
                return false;
            from += part.size();
        }
        if (hole == std::string::npos)
            return true;
        start = hole + 2;
    }
}

TEST(HelpPages, TheMessagesPageShowsEveryMessageOfTheProgram) {
    const std::vector<std::string> blocks = blocksOf(readSource("docs/help/messages.html"));
    for (const char* message : kMessageTexts) {
        EXPECT_TRUE(std::any_of(blocks.begin(), blocks.end(), [&](const std::string& block) {
            return showsMessage(block, message);
        })) << message;
    }
}

TEST(HelpPages, DescribeEveryCommandWordOfTheTable) {
    EXPECT_EQ(checkCommandDocs(), std::vector<std::string>{});
    EXPECT_EQ(commandDocs().size(), commandTable().size());
}

TEST(HelpPages, TheContentsListNamesExistingPagesAndTheCommandReference) {
    std::vector<std::string> problems;
    const std::vector<ContentsEntry> contents =
        readContents(readSource("docs/help/contents.txt"), problems);
    EXPECT_EQ(problems, std::vector<std::string>{});
    ASSERT_FALSE(contents.empty());
    EXPECT_EQ(contents.front().page, "index.html") << "the first page is the default topic";
    int references = 0;
    for (const ContentsEntry& entry : contents) {
        if (entry.commandReference) {
            ++references;
            continue;
        }
        EXPECT_TRUE(std::filesystem::is_regular_file(std::string(KEYREEL_SOURCE_DIR) +
                                                     "/docs/help/" + entry.page))
            << entry.page;
        EXPECT_FALSE(entry.keywords.empty()) << entry.page << " has no index keywords";
    }
    EXPECT_EQ(references, 1);
}

TEST(HelpPages, ContentsAndIndexReachEveryWordsPage) {
    std::vector<std::string> problems;
    const std::vector<ContentsEntry> contents = readContents(
        "Start | index.html | start; first steps\n# a comment\n\n@commands\n", problems);
    ASSERT_TRUE(problems.empty());
    const std::vector<GeneratedFile> pages = commandPages();
    std::vector<std::string> names{"index.html"};
    for (const GeneratedFile& page : pages)
        names.push_back(page.name);
    const std::vector<GeneratedFile> project = projectFiles(contents, names);
    const std::string toc = contentOf(project, "keyreel.hhc");
    const std::string index = contentOf(project, "keyreel.hhk");
    const std::string hhp = contentOf(project, "keyreel.hhp");
    EXPECT_NE(index.find("value=\"first steps\"><param name=\"Local\" value=\"index.html\""),
              std::string::npos);
    for (const CommandInfo& command : commandTable()) {
        const std::string page = commandPage(command.word);
        const std::string local = "<param name=\"Local\" value=\"" + page + "\">";
        EXPECT_NE(toc.find(local), std::string::npos) << command.word;
        EXPECT_NE(index.find("value=\"" + std::string(command.word) + "\">" + local),
                  std::string::npos)
            << command.word;
        EXPECT_NE(hhp.find("\n" + page + "\n"), std::string::npos) << command.word;
        const std::string content = contentOf(pages, page);
        EXPECT_NE(content.find(escapeHtml(findCommandDoc(command.word)->syntax)), std::string::npos)
            << command.word;
    }
    EXPECT_NE(contentOf(pages, "cmd_Message.html").find("not offered"), std::string::npos);
    EXPECT_NE(contentOf(pages, "cmd_Wait.html").find("builder.html#written"), std::string::npos);
    EXPECT_NE(contentOf(pages, "cmd_SetFocus.html").find("window_titles.html"), std::string::npos);
}

// Every link of a written page or a generated one leads to a page of the help
// (or to a place on one), so that no click in the help viewer ends on an
// error page; every picture a page shows is one of the help's images.
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
        for (std::size_t at = text.find("href=\""); at != std::string::npos;
             at = text.find("href=\"", at + 1)) {
            const std::size_t start = at + 6;
            std::string target = text.substr(start, text.find('"', start) - start);
            target = target.substr(0, target.find('#'));
            if (target.empty() || target.starts_with("http"))
                continue;
            ++links;
            EXPECT_TRUE(pages.contains(target)) << name << " links to " << target;
        }
    }
    EXPECT_GT(links, 100);
    int pictures = 0;
    for (const auto& [name, text] : texts) {
        for (std::size_t at = text.find("<img src=\""); at != std::string::npos;
             at = text.find("<img src=\"", at + 1)) {
            const std::size_t start = at + 10;
            const std::string target = text.substr(start, text.find('"', start) - start);
            ++pictures;
            EXPECT_TRUE(target.starts_with("images/") && pages.contains(target))
                << name << " shows " << target;
            EXPECT_NE(text.find("alt=\"", start), std::string::npos) << name << " " << target;
        }
    }
    EXPECT_GE(pictures, 10) << "every window's page shows its screenshot";
}

}  // namespace
}  // namespace keyreel::help
