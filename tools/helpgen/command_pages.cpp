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

// What the builder does with the word: it is the builder's list, not the
// description, that decides.
std::string builderNote(const CommandInfo& command) {
    if (command.builderPosition == kNotInBuilder) {
        return "The builder does not offer this word. Type it into a macro file with the "
               "editor of your choice, or type it into the builder's Command box.";
    }
    if (command.takesValue) {
        return "Choose it in the builder's Command list, type the value into the Value box "
               "and press Add: the builder writes the word, \" &gt;\" and the value.";
    }
    return "Choose it in the builder's Command list and press Add: the builder writes the "
           "word alone and empties the Value box.";
}

std::string wordPage(const CommandInfo& command, const CommandDoc& doc) {
    const CommandGroupInfo& group = groupInfo(doc.group);
    std::string body = "<h1>" + escapeHtml(doc.word) + "</h1>\n";
    body += "<p class=\"syntax\">" + code(doc.syntax) + "</p>\n";
    body += "<h2>What it does</h2>\n<p>" + escapeHtml(doc.effect) + "</p>\n";
    body += "<h2>Example</h2>\n<pre>" + escapeHtml(doc.example) + "</pre>\n";
    body += "<h2>In the builder</h2>\n<p>" + builderNote(command) + "</p>\n";
    body += "<p class=\"seealso\">See also: " + link(group.page, group.title) + ", " +
            link("commands.html", "All command words") + ", " +
            link("macro_lines.html", "How Keyreel reads a line") + "</p>\n";
    return htmlPage(doc.word, body);
}

std::string wordTable(CommandGroup group) {
    std::string rows;
    for (const CommandInfo& command : commandTable()) {
        const CommandDoc* doc = findCommandDoc(command.word);
        if (doc == nullptr || doc->group != group)
            continue;
        rows += "<tr><td>" + link(commandPage(command.word), command.word) + "</td><td>" +
                code(doc->syntax) + "</td></tr>\n";
    }
    return "<table>\n<tr><th>Word</th><th>Written as</th></tr>\n" + rows + "</table>\n";
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
        "passed over without a message.</p>\n";
    for (const CommandGroupInfo& group : commandGroups()) {
        overview += "<h2>" + link(group.page, group.title) + "</h2>\n" + wordTable(group.group);
        pages.push_back({std::string(group.page),
                         htmlPage(group.title, "<h1>" + escapeHtml(group.title) + "</h1>\n" +
                                                   wordTable(group.group))});
    }
    pages.push_back({"commands.html", htmlPage("Command words", overview)});
    for (const CommandInfo& command : commandTable()) {
        if (const CommandDoc* doc = findCommandDoc(command.word))
            pages.push_back({commandPage(command.word), wordPage(command, *doc)});
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
        if (doc.syntax.substr(0, doc.word.size()) != doc.word || doc.effect.empty())
            problems.push_back("the description of " + word + " lacks its syntax or effect");
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
