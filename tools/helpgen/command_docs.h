#pragma once

// What the help says about each command word: its value syntax, what it does
// and an example. The words themselves come from the core's command table;
// the help generator and its test check that every word has its entry here.

#include <span>
#include <string_view>

namespace keyreel::help {

enum class CommandGroup {
    Programs,
    Windows,
    WaitsAndMessages,
    Keys,
    Mouse,
    Flow,
};

struct CommandGroupInfo {
    CommandGroup group;
    std::string_view title;
    std::string_view page;  // the group's overview page
};

// The groups in the order the reference lists them.
std::span<const CommandGroupInfo> commandGroups();

struct CommandDoc {
    std::string_view word;
    CommandGroup group;
    // How a line with the word is written, "RunProgram >program [arguments]".
    std::string_view syntax;
    // What playing it does, plain text; "\n" starts a new paragraph.
    std::string_view effect;
    // One or more macro lines, separated by "\n".
    std::string_view example;
    // One line for the word tables of the reference.
    std::string_view summary;
    // Words to read with this one, separated by blanks.
    std::string_view related;
};

std::span<const CommandDoc> commandDocs();

// The entry for `word`, or nullptr.
const CommandDoc* findCommandDoc(std::string_view word);

}  // namespace keyreel::help
