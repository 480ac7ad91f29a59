// The command reference, generated from the core's command table and the
// help's command descriptions.

#include <algorithm>
#include <string>

#include "command_docs.h"
#include "core/macro/command_table.h"
#include "help_project.h"

namespace keyreel::help {

namespace {

const CommandGroupInfo& groupInfo(CommandGroup group) {
    for (const CommandGroupInfo& info : commandGroups()) {
        if (info.group == group)
            return info;
    }
    return commandGroups().front();
}

std::string link(std::string_view page, std::string_view text) {
    return "<a href=\"" + std::string(page) + "\">" + escapeHtml(text) + "</a>";
}

std::string code(std::string_view text) {
    return "<code>" + escapeHtml(text) + "</code>";
}

// The text before the first blank of `text`, which loses it and the blank.
std::string_view nextWord(std::string_view& text) {
    const std::size_t end = text.find(' ');
    const std::string_view word = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    return word;
}

// Links to the words of `words`, a list separated by blanks.
std::string wordLinks(std::string_view words) {
    std::string links;
    while (!words.empty()) {
        const std::string_view word = nextWord(words);
        links += (links.empty() ? "" : ", ") + link(commandPage(word), word);
    }
    return links;
}

// Each "\n" of a description starts a new paragraph.
std::string paragraphs(std::string text) {
    constexpr std::string_view kBreak = "</p>\n<p>";
    for (std::size_t at = text.find('\n'); at != std::string::npos;
         at = text.find('\n', at + kBreak.size()))
        text.replace(at, 1, kBreak);
    return text;
}

std::string wordPage(const CommandDoc& doc) {
    const CommandGroupInfo& group = groupInfo(doc.group);
    std::string body = "<h1>" + escapeHtml(doc.word) + "</h1>\n";
    body += "<p class=\"syntax\">" + code(doc.syntax) + "</p>\n";
    body += "<h2>What it does</h2>\n<p>" + paragraphs(escapeHtml(doc.effect)) + "</p>\n";
    if (doc.group == CommandGroup::Windows) {
        body += "<p>How the title is matched, and which window is the first: " +
                link("window_titles.html", "Window titles") + ".</p>\n";
    }
    body += "<h2>Example</h2>\n<pre>" + escapeHtml(doc.example) + "</pre>\n";
    body += "<p class=\"seealso\">Related: " + wordLinks(doc.related) +
            "<br>See also: " + link(group.page, group.title) + ", " +
            link("commands.html", "All command words") + ", " +
            link("macro_lines.html", "How Keyreel reads a line") + ", " +
            link("builder.html#written", "Writing it with the builder") + "</p>\n";
    return htmlPage(doc.word, body);
}

std::string wordTable(CommandGroup group) {
    std::string rows;
    for (const CommandInfo& command : commandTable()) {
        const CommandDoc* doc = findCommandDoc(command.word);
        if (doc == nullptr || doc->group != group)
            continue;
        rows += "<tr><td>" + link(commandPage(command.word), command.word) + "</td><td>" +
                code(doc->syntax) + "</td><td>" + escapeHtml(doc->summary) + "</td></tr>\n";
    }
    return "<table>\n<tr><th>Word</th><th>Written as</th><th>What it does</th></tr>\n" + rows +
           "</table>\n";
}

// Words that look like commands but play as nothing; a recording can hold
// one of them.
std::string silentWordsSection() {
    std::string words;
    for (const std::string_view word : silentWords())
        words += (words.empty() ? "" : ", ") + code(word);
    return "<h2>Words that play as nothing</h2>\n<p>" + words +
           " are no command words: a line with them does nothing. The recorder writes "
           "<code>Press_Pause</code> for the Pause key.</p>\n";
}

}  // namespace

std::string commandPage(std::string_view word) {
    return "cmd_" + std::string(word) + ".html";
}

std::vector<GeneratedFile> commandPages() {
    std::vector<GeneratedFile> pages;
    std::string overview =
        "<h1>Command words</h1>\n<p>Every word a macro line can hold, by subject. A word "
        "must be written exactly as shown, in the same case; a word Keyreel does not know is "
        "passed over without a message (<code>kyr lint</code> finds such words, see " +
        link("kyr.html", "Checking a macro with kyr") + ").</p>\n";
    for (const CommandGroupInfo& group : commandGroups()) {
        overview += "<h2>" + link(group.page, group.title) + "</h2>\n" + wordTable(group.group);
        pages.push_back({std::string(group.page),
                         htmlPage(group.title, "<h1>" + escapeHtml(group.title) + "</h1>\n" +
                                                   wordTable(group.group))});
    }
    overview += silentWordsSection();
    pages.push_back({"commands.html", htmlPage("Command words", overview)});
    for (const CommandInfo& command : commandTable()) {
        if (const CommandDoc* doc = findCommandDoc(command.word))
            pages.push_back({commandPage(command.word), wordPage(*doc)});
    }
    return pages;
}

std::vector<std::string> checkCommandDocs() {
    std::vector<std::string> problems;
    for (const CommandInfo& command : commandTable()) {
        if (findCommandDoc(command.word) == nullptr)
            problems.push_back("no description of the command word " + std::string(command.word));
    }
    for (const CommandDoc& doc : commandDocs()) {
        const std::string word(doc.word);
        if (findCommand(doc.word) == nullptr)
            problems.push_back("a description of " + word + ", which is no command word");
        if (doc.syntax.substr(0, doc.word.size()) != doc.word || doc.effect.empty() ||
            doc.summary.empty() || doc.related.empty())
            problems.push_back("the description of " + word + " lacks a part");
        for (std::string_view rest = doc.related; !rest.empty();) {
            if (findCommand(nextWord(rest)) == nullptr)
                problems.push_back(word + " names a related word that is none");
        }
        // The word must appear in the example as a word of its own.
        bool used = false;
        std::string_view rest = doc.example;
        while (!rest.empty() && !used) {
            const std::size_t end = std::min(rest.find(' '), rest.find('\n'));
            used = rest.substr(0, end) == doc.word;
            rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        }
        if (!used)
            problems.push_back("the example of " + word + " does not use it");
    }
    return problems;
}

}  // namespace keyreel::help
