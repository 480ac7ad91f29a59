#include "core/macro/program_search.h"

#include <gtest/gtest.h>

#include <set>

#include "core/base/text.h"

namespace keyreel {
namespace {

// The program unpacked in Downloads, with programs planted to catch a wrong search.
class ProgramSearch : public ::testing::Test {
  protected:
    ProgramSearch() {
        places.systemFolder = "C:\\Windows\\System32";
        places.windowsFolder = "C:\\Windows";
        places.path = "C:\\Tools;.;bin;;\"C:\\Quoted Dir\"; C:\\Windows\\System32\\";
        places.programFolder = "C:\\Users\\u\\Downloads\\Keyreel\\";
        places.isFile = [this](const std::string& path) {
            asked.push_back(path);
            return files.contains(toLowerForSearch(path));
        };
    }

    // Every path asked about is absolute: none depends on the current folder.
    ~ProgramSearch() override {
        for (const std::string& path : asked)
            EXPECT_TRUE(path.substr(1, 2) == ":\\" || path.substr(0, 2) == "\\\\") << path;
    }

    std::set<std::string> files = {
        "c:\\windows\\system32\\notepad.exe",
        "c:\\windows\\regedit.exe",
        "c:\\tools\\tool.cmd",
        "c:\\quoted dir\\quoted.exe",
        "c:\\program files\\app\\x.exe",
        "c:\\program.exe",
        "c:\\a b\\x.exe",
        "c:\\users\\u\\downloads\\keyreel\\notepad.exe",
        "c:\\users\\u\\downloads\\keyreel\\planted.exe",
        "c:\\users\\u\\downloads\\keyreel\\tools\\x.exe",
        "c:\\users\\u\\downloads\\keyreel\\readme",
    };
    ProgramPlaces places;
    std::vector<std::string> asked;
};

TEST_F(ProgramSearch, FindsTheProgramAndItsArgumentsInTheSystemsFoldersOrTheProgramsFolder) {
    // The value; the program found ("" for none) and its arguments.
    const std::tuple<const char*, std::string, const char*> cases[] = {
        {"  notepad   a  b  ", "C:\\Windows\\System32\\notepad.exe", "a  b"},
        {"regedit /s a.reg", "C:\\Windows\\regedit.exe", "/s a.reg"},
        {"tool /x", "C:\\Tools\\tool.cmd", "/x"},
        {"quoted", "C:\\Quoted Dir\\quoted.exe", ""},
        // Beside Keyreel only by a path with a folder part.
        {"planted.exe", "", ""},
        {"tools\\x.exe -v", places.programFolder + "tools\\x.exe", "-v"},
        {"C:\\Program Files\\App\\x.exe /a", "C:\\Program Files\\App\\x.exe", "/a"},
        {"\"C:\\a b\\x.exe\" /a \"q r\"", "C:\\a b\\x.exe", "/a \"q r\""},
        {"\"C:\\a b\\y.exe\" x.exe", "", ""},
        {"C:notepad.exe", "", ""},
    };
    for (const auto& [value, program, arguments] : cases) {
        const auto found = findProgram(value, places);
        EXPECT_EQ(found ? found->program : "", program) << value;
        EXPECT_EQ(found ? found->arguments : "", arguments) << value;
    }

    const auto started = findProgram("notepad a.txt", places);
    ASSERT_TRUE(started);
    EXPECT_EQ(started->commandLine(), "\"C:\\Windows\\System32\\notepad.exe\" a.txt");
    EXPECT_EQ(started->folder, places.programFolder);
    EXPECT_TRUE(namesNoProgram("\"\" /a"));
    EXPECT_FALSE(namesNoProgram("missing.exe"));
}

TEST_F(ProgramSearch, OpensDocumentsFromTheProgramsFolderAndProgramsOnlyFromTheSystems) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"todo.txt", places.programFolder + "todo.txt"},
        {"C:\\reports\\monday.txt", "C:\\reports\\monday.txt"},
        {"https://example.com/", "https://example.com/"},
        {"notepad.exe", "C:\\Windows\\System32\\notepad.exe"},
        {"planted.exe", std::nullopt},
        {".\\planted.exe", places.programFolder + ".\\planted.exe"},
    };
    for (const auto& [value, path] : cases)
        EXPECT_EQ(documentPath(value, places), path) << value;
}

}  // namespace
}  // namespace keyreel
