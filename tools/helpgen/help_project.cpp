// The contents list, the table of contents, the index and the project file.

#include "help_project.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "command_docs.h"
#include "core/macro/command_table.h"

namespace keyreel::help {

namespace {

std::string_view trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string_view::npos;
         at = text.find(separator, start)) {
        parts.push_back(trim(text.substr(start, at - start)));
        start = at + 1;
    }
    parts.push_back(trim(text.substr(start)));
    return parts;
}

std::string sitemapItem(std::string_view name, std::string_view page) {
    std::string item = "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"" +
                       escapeHtml(name) + "\">";
    if (!page.empty())
        item += "<param name=\"Local\" value=\"" + std::string(page) + "\">";
    return item + "</OBJECT>\n";
}

constexpr std::string_view kSitemapHead =
    "<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">\n<HTML><HEAD></HEAD><BODY>\n";
constexpr std::string_view kSitemapTail = "</BODY></HTML>\n";

// The command reference as a book of group books of words.
std::string commandContents() {
    std::string items = sitemapItem("Command words", "commands.html") + "<UL>\n";
    for (const CommandGroupInfo& group : commandGroups()) {
        items += sitemapItem(group.title, group.page) + "<UL>\n";
        for (const CommandInfo& command : commandTable()) {
            const CommandDoc* doc = findCommandDoc(command.word);
            if (doc != nullptr && doc->group == group.group)
                items += sitemapItem(command.word, commandPage(command.word));
        }
        items += "</UL>\n";
    }
    return items + "</UL>\n";
}

std::string tableOfContents(const std::vector<ContentsEntry>& contents) {
    std::string toc = std::string(kSitemapHead) +
                      "<OBJECT type=\"text/site properties\"><param name=\"ImageType\" "
                      "value=\"Folder\"></OBJECT>\n<UL>\n";
    for (const ContentsEntry& entry : contents)
        toc += entry.commandReference ? commandContents() : sitemapItem(entry.title, entry.page);
    return toc + "</UL>\n" + std::string(kSitemapTail);
}

std::string lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// Every command word and every keyword of a page, alphabetically.
std::string index(const std::vector<ContentsEntry>& contents) {
    std::vector<std::pair<std::string, std::string>> keywords;
    for (const ContentsEntry& entry : contents) {
        for (const std::string& keyword : entry.keywords)
            keywords.emplace_back(keyword, entry.page);
    }
    for (const CommandInfo& command : commandTable())
        keywords.emplace_back(command.word, commandPage(command.word));
    for (const CommandGroupInfo& group : commandGroups())
        keywords.emplace_back(group.title, group.page);
    keywords.emplace_back("command words", "commands.html");
    std::stable_sort(keywords.begin(), keywords.end(),
                     [](const auto& a, const auto& b) { return lower(a.first) < lower(b.first); });
    std::string hhk = std::string(kSitemapHead) + "<UL>\n";
    for (const auto& [keyword, page] : keywords)
        hhk += sitemapItem(keyword, page);
    return hhk + "</UL>\n" + std::string(kSitemapTail);
}

std::string project(const std::vector<std::string>& files) {
    const std::string title(kHelpTitle);
    std::string hhp =
        "[OPTIONS]\nCompatibility=1.1 or later\nCompiled file=" + std::string(kCompiledFile) +
        "\nContents file=keyreel.hhc\nIndex file=keyreel.hhk\nDefault topic=index.html\n"
        "Default Window=main\nDisplay compile progress=No\nFull-text search=Yes\n"
        "Language=0x409 English (United States)\nTitle=" +
        title + "\n\n[WINDOWS]\n";
    // Caption, contents, index, default and home page, then (after the
    // unused jump buttons) the navigation pane's style and width, the
    // toolbar buttons and the window's first place on the screen.
    hhp += "main=\"" + title +
           "\",\"keyreel.hhc\",\"keyreel.hhk\",\"index.html\",\"index.html\",,,,,0x63520,240,"
           "0x387e,[80,60,880,660],,,,,,,0\n\n[FILES]\n";
    for (const std::string& file : files)
        hhp += file + "\n";
    return hhp;
}

}  // namespace

std::string escapeHtml(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string htmlPage(std::string_view title, std::string_view body) {
    return "<!DOCTYPE html>\n<html>\n<head>\n<title>" + escapeHtml(title) +
           "</title>\n<link rel=\"stylesheet\" href=\"style.css\">\n</head>\n<body>\n" +
           std::string(body) + "</body>\n</html>\n";
}

std::vector<ContentsEntry> readContents(std::string_view text, std::vector<std::string>& problems) {
    std::vector<ContentsEntry> entries;
    int lineNumber = 0;
    for (const std::string_view raw : split(text, '\n')) {
        ++lineNumber;
        const std::string_view line = trim(raw);
        if (line.empty() || line.front() == '#')
            continue;
        if (line == "@commands") {
            entries.push_back({"Command words", "commands.html", {}, true});
            continue;
        }
        const std::vector<std::string_view> fields = split(line, '|');
        if (fields.size() != 3 || fields[0].empty() || fields[1].empty()) {
            problems.push_back("contents line " + std::to_string(lineNumber) +
                               ": expected \"Title | page.html | keywords\"");
            continue;
        }
        ContentsEntry entry{std::string(fields[0]), std::string(fields[1]), {}, false};
        for (const std::string_view keyword : split(fields[2], ';')) {
            if (!keyword.empty())
                entry.keywords.emplace_back(keyword);
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<GeneratedFile> projectFiles(const std::vector<ContentsEntry>& contents,
                                        const std::vector<std::string>& pageFiles) {
    return {{"keyreel.hhc", tableOfContents(contents)},
            {"keyreel.hhk", index(contents)},
            {std::string(kProjectFile), project(pageFiles)}};
}

}  // namespace keyreel::help
