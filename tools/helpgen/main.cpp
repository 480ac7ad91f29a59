// keyreel_helpgen SOURCE_DIR OUT_DIR: puts the help project together in
// OUT_DIR for the help compiler: the hand-written pages of SOURCE_DIR, the
// command reference generated from the command table, and the contents,
// index and project files. Exit status 1 when a command word lacks its
// description or the contents list is wrong, so the build stops there.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "help_project.h"

namespace fs = std::filesystem;
using namespace keyreel::help;

namespace {

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool writeFile(const fs::path& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
    return static_cast<bool>(out);
}

bool isPageFile(const fs::path& path) {
    return path.extension() == ".html" || path.extension() == ".css";
}

// The screenshots the pages show, kept in a folder of their own, join the
// project's files as "images/NAME.png".
void copyImages(const fs::path& source, const fs::path& out, std::vector<std::string>& files,
                std::vector<std::string>& problems) {
    std::error_code error;
    if (!fs::is_directory(source / "images"))
        return;
    fs::create_directories(out / "images", error);
    for (const fs::directory_entry& file : fs::directory_iterator(source / "images", error)) {
        if (!file.is_regular_file() || file.path().extension() != ".png")
            continue;
        files.push_back("images/" + file.path().filename().string());
        if (!writeFile(out / files.back(), readFile(file.path())))
            problems.push_back("cannot write " + files.back());
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: keyreel_helpgen SOURCE_DIR OUT_DIR\n";
        return 2;
    }
    const fs::path source = argv[1];
    const fs::path out = argv[2];
    std::vector<std::string> problems = checkCommandDocs();
    const std::vector<ContentsEntry> contents =
        readContents(readFile(source / "contents.txt"), problems);
    for (const ContentsEntry& entry : contents) {
        if (!entry.commandReference && !fs::is_regular_file(source / entry.page))
            problems.push_back("contents names " + entry.page + ", which does not exist");
    }

    std::error_code error;
    fs::create_directories(out, error);
    std::vector<std::string> pages;
    for (const fs::directory_entry& file : fs::directory_iterator(source, error)) {
        if (!file.is_regular_file() || !isPageFile(file.path()))
            continue;
        pages.push_back(file.path().filename().string());
        if (!writeFile(out / file.path().filename(), readFile(file.path())))
            problems.push_back("cannot write " + pages.back());
    }
    copyImages(source, out, pages, problems);
    for (const GeneratedFile& page : commandPages()) {
        if (std::find(pages.begin(), pages.end(), page.name) != pages.end())
            problems.push_back(page.name + " is generated; a page of that name is not allowed");
        pages.push_back(page.name);
        if (!writeFile(out / page.name, page.content))
            problems.push_back("cannot write " + page.name);
    }
    std::sort(pages.begin(), pages.end());
    for (const GeneratedFile& file : projectFiles(contents, pages)) {
        if (!writeFile(out / file.name, file.content))
            problems.push_back("cannot write " + file.name);
    }
    for (const std::string& problem : problems)
        std::cerr << "keyreel_helpgen: " << problem << "\n";
    return problems.empty() ? 0 : 1;
}
