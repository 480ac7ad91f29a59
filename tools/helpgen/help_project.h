#pragma once

// The HTML Help project around the hand-written pages: the table of contents
// and index, the command reference generated from the command table, and the
// project file the help compiler reads.

#include <string>
#include <string_view>
#include <vector>

namespace keyreel::help {

// One line of the contents list (docs/help/contents.txt):
//   Title | page.html | keyword; keyword
// or the line "@commands", where the command reference goes.
struct ContentsEntry {
    std::string title;
    std::string page;
    std::vector<std::string> keywords;
    bool commandReference = false;
};

// The entries of a contents list; what cannot be read goes into `problems`.
std::vector<ContentsEntry> readContents(std::string_view text, std::vector<std::string>& problems);

// Words of the command table without help, help for words that are none,
// empty fields and examples that do not use their word.
std::vector<std::string> checkCommandDocs();

struct GeneratedFile {
    std::string name;
    std::string content;
};

// The reference pages: the overview, one page per group, one per word.
std::vector<GeneratedFile> commandPages();

// The project, contents and index files for the hand-written pages in
// `contents`, the generated pages and every file in `projectFiles`.
std::vector<GeneratedFile> projectFiles(const std::vector<ContentsEntry>& contents,
                                        const std::vector<std::string>& pageFiles);

// The file name of a word's reference page.
std::string commandPage(std::string_view word);

std::string escapeHtml(std::string_view text);
// A page with the shared head and style sheet around `body`.
std::string htmlPage(std::string_view title, std::string_view body);

inline constexpr std::string_view kHelpTitle = "Tobrin's Keyreel Help";
inline constexpr std::string_view kCompiledFile = "keyreel.chm";
inline constexpr std::string_view kProjectFile = "keyreel.hhp";

}  // namespace keyreel::help
