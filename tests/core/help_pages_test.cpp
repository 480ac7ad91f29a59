// The help: every message the program shows, every word a recording writes, every link.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ranges>
#include <regex>
#include <set>

#include "command_docs.h"
#include "core/base/file_store.h"
#include "core/base/message_texts.h"
#include "core/base/text.h"
#include "core/macro/command_table.h"
#include "core/recorder/key_translation.h"
#include "help_project.h"

namespace keyreel::help {
namespace {

const std::string kHelpFolder = std::string(KEYREEL_SOURCE_DIR) + "/docs/help/";

std::string plainText(std::string text) {
    text = std::regex_replace(text, std::regex("<[^>]*>"), " ");
    for (const auto& [entity, character] :
         {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&nbsp;", " "}, {"&amp;", "&"}})
        text = std::regex_replace(text, std::regex(entity), character);
    return std::regex_replace(text, std::regex("\\s+"), " ");
}

bool showsMessage(std::string_view text, const std::string& message) {
    std::size_t from = 0;
    for (const auto& part : std::views::split(message, std::string_view("{}"))) {
        from = text.find(trimBlanks(std::string_view(part.begin(), part.end())), from);
        if (from == std::string_view::npos)
            return false;
    }
    return true;
}

TEST(HelpPages, TheMessagesPageShowsEveryMessageOfTheProgram) {
    const std::string page = plainText(*LocalFileStore().readAll(kHelpFolder + "messages.html"));
    for (const char* message : kMessageTexts)
        EXPECT_TRUE(showsMessage(page, plainText(message))) << message;
}

// A recording holds command words and words the reference lists as playing nothing.
TEST(HelpPages, EveryWordARecordingWritesCanBeLookedUp) {
    const std::vector<GeneratedFile> pages = commandPages();
    const std::string& overview =
        std::ranges::find(pages, "commands.html", &GeneratedFile::name)->content;
    for (int code = 0; code < 256; ++code) {
        const auto line = keyLine(static_cast<std::uint8_t>(code));
        if (!line)
            continue;
        const std::string word = line->substr(0, line->find(' '));
        EXPECT_TRUE(findCommand(word) != nullptr ||
                    overview.find("<code>" + word + "</code>") != std::string::npos)
            << word;
    }
}

TEST(HelpPages, EveryLinkLeadsToAPageOfTheHelp) {
    std::set<std::string> pages;
    std::vector<std::pair<std::string, std::string>> texts;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(kHelpFolder)) {
        const std::string name = entry.path().lexically_relative(kHelpFolder).generic_string();
        pages.insert(name);
        if (name.ends_with(".html"))
            texts.emplace_back(name, *LocalFileStore().readAll(kHelpFolder + name));
    }
    for (const GeneratedFile& page : commandPages()) {
        pages.insert(page.name);
        texts.emplace_back(page.name, page.content);
    }
    static const std::regex kLink(R"((?:href|src)="([^"#]*))");
    int links = 0;
    for (const auto& [name, text] : texts) {
        for (std::sregex_iterator it(text.begin(), text.end(), kLink), end; it != end; ++it) {
            const std::string target = (*it)[1];
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
