#include "core/macro/macro_file.h"

#include <gtest/gtest.h>

#include "core/base/save_questions.h"
#include "core/macro/simulated_desktop.h"
#include "faulty_file_store.h"
#include "temp_folder.h"

namespace keyreel {
namespace {

using Events = std::vector<std::string>;

class MacroFileTest : public ::testing::Test {
  protected:
    TempFolder folder;
    LocalFileStore store;
    SimulatedDesktop desktop;
    MacroFiles files{store};

    SaveOutcome saveAsking(MacroFiles& to, const std::string& name, const MacroList& list) {
        const std::string path = folder.file(name);
        return saveAfterAsking(desktop, to.exists(path), [&] { return to.saveList(path, list); });
    }
};

constexpr const char* kOverwrite = "message \"Overwrite existing file?\" \"Tobrin's Keyreel\" -> ";
constexpr const char* kSaveError =
    "message \"Error occurred trying to close file, please retry.\" \"Tobrin's Keyreel\" -> ok";

TEST_F(MacroFileTest, LoadDropsEmptyLinesAndAcceptsEveryLineEnd) {
    folder.write("a.kyr", "Press_Tab\r\n\r\n  \r\nWait >1\rSendText >x\n\nLoop");
    MacroList list = {"old"};
    ASSERT_TRUE(files.loadList(folder.file("a.kyr"), list));
    EXPECT_EQ(list, (MacroList{"Press_Tab", "  ", "Wait >1", "SendText >x", "Loop"}));

    EXPECT_FALSE(files.loadList(folder.file("missing.kyr"), list));
    EXPECT_EQ(list.size(), 5u) << "an unreadable file leaves the list as it was";
}

TEST_F(MacroFileTest, SaveAndLoadRoundTripWithCrLf) {
    const MacroList list = {"SendText >hello ", "  ", "MouseMove >1,2"};
    ASSERT_EQ(saveAsking(files, "r.kyr", list), SaveOutcome::Saved);
    EXPECT_EQ(folder.read("r.kyr"), "SendText >hello \r\n  \r\nMouseMove >1,2\r\n");
    MacroList loaded;
    ASSERT_TRUE(files.loadList(folder.file("r.kyr"), loaded));
    EXPECT_EQ(loaded, list);
    EXPECT_TRUE(desktop.events().empty()) << "a new file is written without asking";
}

TEST_F(MacroFileTest, OverwriteIsAskedAndDeclineWritesNothing) {
    folder.write("o.kyr", "keep\r\n");
    desktop.questionAnswer = MessageAnswer::No;
    EXPECT_EQ(saveAsking(files, "o.kyr", {"new"}), SaveOutcome::Declined);
    EXPECT_EQ(folder.read("o.kyr"), "keep\r\n");
    EXPECT_EQ(desktop.events(), (Events{std::string(kOverwrite) + "no"}));

    desktop.questionAnswer = MessageAnswer::Yes;
    EXPECT_EQ(saveAsking(files, "o.kyr", {"new"}), SaveOutcome::Saved);
    EXPECT_EQ(folder.read("o.kyr"), "new\r\n");
}

TEST_F(MacroFileTest, AFailedSaveKeepsTheOldFileAndSaysSo) {
    folder.write("f.kyr", "keep\r\n");
    FaultyFileStore<> failing;
    failing.fault = FileFault::Replace;
    MacroFiles failingFiles{failing};
    desktop.questionAnswer = MessageAnswer::Yes;
    EXPECT_EQ(saveAsking(failingFiles, "f.kyr", {"new"}), SaveOutcome::Failed);
    EXPECT_EQ(folder.read("f.kyr"), "keep\r\n");
    EXPECT_EQ(folder.entries(), 1u) << "the temporary file is cleaned up";
    EXPECT_EQ(desktop.events().back(), kSaveError);

    EXPECT_FALSE(files.saveText(folder.file("no/such/folder/x.kyr"), "text"));
}

TEST_F(MacroFileTest, EncodingsAreDetectedOnLoad) {
    const std::pair<const char*, const char*> cases[] = {
        {"SendText >caf\xE9", "SendText >caf\xC3\xA9"},              // ANSI
        {"SendText >caf\xC3\xA9", "SendText >caf\xC3\xA9"},          // UTF-8
        {"\xEF\xBB\xBFSendText >\xCE\xA9", "SendText >\xCE\xA9"},    // UTF-8 with BOM
        {"\xEF\xBB\xBFPress_Tab", "Press_Tab"},                      // BOM, ASCII only
        {"SendText >\x80 \xC3", "SendText >\xE2\x82\xAC \xC3\x83"},  // not UTF-8
    };
    for (const auto& [bytes, line] : cases) {
        folder.write("e.kyr", bytes);
        MacroList list;
        ASSERT_TRUE(files.loadList(folder.file("e.kyr"), list));
        EXPECT_EQ(list, (MacroList{line})) << bytes;
    }
}

TEST_F(MacroFileTest, SavesInTheCodePageUnlessACharacterWouldBeLost) {
    ASSERT_TRUE(files.saveList(folder.file("a.kyr"), {"SendText >caf\xC3\xA9 \xE2\x82\xAC"}));
    EXPECT_EQ(folder.read("a.kyr"), "SendText >caf\xE9 \x80\r\n");

    ASSERT_TRUE(files.saveList(folder.file("u.kyr"), {"SendText >\xCE\xA9 \xC3\xA9"}));
    EXPECT_EQ(folder.read("u.kyr"), "\xEF\xBB\xBFSendText >\xCE\xA9 \xC3\xA9\r\n");
    MacroList back;
    ASSERT_TRUE(files.loadList(folder.file("u.kyr"), back));
    EXPECT_EQ(back, (MacroList{"SendText >\xCE\xA9 \xC3\xA9"}));
}

// Found by fuzzing: the code page's bytes of these texts read back as UTF-8
// ("Ã©" came back as "é", a leading "ï»¿" was taken for a byte-order mark).
TEST_F(MacroFileTest, CodePageTextThatWouldReadBackAsUtf8IsSavedAsUtf8) {
    const MacroList lists[] = {
        {"SendText >\xC3\x83\xC2\xA9"},                 // Ã©
        {"\xC3\xAF\xC2\xBB\xC2\xBFPress_Tab", "Loop"},  // ï»¿ at the start
    };
    for (const MacroList& list : lists) {
        ASSERT_TRUE(files.saveList(folder.file("s.kyr"), list));
        EXPECT_TRUE(folder.read("s.kyr").starts_with("\xEF\xBB\xBF")) << list[0];
        MacroList back;
        ASSERT_TRUE(files.loadList(folder.file("s.kyr"), back));
        EXPECT_EQ(back, list);
    }
    // The fuzzer's file: code-page text with those bytes inside.
    folder.write("f.kyr",
                 "\r\r\r\xEF\xBB\xBFtForW\x8A\x8A\n\x1B\xB7^|\xFE\x7F\x8A\r\nWait >caf\xC3\xA9");
    MacroList loaded;
    ASSERT_TRUE(files.loadList(folder.file("f.kyr"), loaded));
    ASSERT_TRUE(files.saveList(folder.file("g.kyr"), loaded));
    MacroList again;
    ASSERT_TRUE(files.loadList(folder.file("g.kyr"), again));
    EXPECT_EQ(again, loaded);
}

TEST_F(MacroFileTest, TextsAreSavedUnchangedAndReadWhole) {
    ASSERT_TRUE(files.saveText(folder.file("t.kyr"), "Press_Tab\r\n\r\nLoop"));
    EXPECT_EQ(folder.read("t.kyr"), "Press_Tab\r\n\r\nLoop\r\n");
    ASSERT_TRUE(files.saveText(folder.file("t.kyr"), "x"));
    EXPECT_EQ(folder.read("t.kyr"), "x\r\n") << "texts are written without asking";
    EXPECT_EQ(files.readText(folder.file("t.kyr")), "x\r\n");
    EXPECT_FALSE(files.readText(folder.file("none")));
    EXPECT_EQ(folder.entries(), 1u);
}

}  // namespace
}  // namespace keyreel
