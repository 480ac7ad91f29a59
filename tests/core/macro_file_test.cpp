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

using namespace std::string_literals;

// UTF-16 bytes with a byte-order mark; a code unit that fills no byte pair
// with `odd` adds that single byte at the end.
std::string utf16(std::u16string_view units, bool bigEndian, std::string_view odd = "") {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : units) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes += odd;
}

constexpr const char* kOverwrite = "message \"Overwrite existing file?\" \"Tobrin's Keyreel\" -> ";
constexpr const char* kSaveError =
    "message \"Error occurred trying to close file, please retry.\" \"Tobrin's Keyreel\" -> ok";

TEST_F(MacroFileTest, LoadDropsEmptyLinesAndAcceptsEveryLineEnd) {
    folder.write("a.kyr", "Press_Tab\r\n\r\n  \r\nWait >1\rSendText >x\n\nLoop");
    MacroList list = {"old"};
    ASSERT_EQ(files.loadList(folder.file("a.kyr"), list), MacroFileRead::Read);
    EXPECT_EQ(list, (MacroList{"Press_Tab", "  ", "Wait >1", "SendText >x", "Loop"}));

    EXPECT_EQ(files.loadList(folder.file("missing.kyr"), list), MacroFileRead::Unreadable);
    EXPECT_EQ(list.size(), 5u) << "an unreadable file leaves the list as it was";
}

TEST_F(MacroFileTest, SaveAndLoadRoundTripWithCrLf) {
    const MacroList list = {"SendText >hello ", "  ", "MouseMove >1,2"};
    ASSERT_EQ(saveAsking(files, "r.kyr", list), SaveOutcome::Saved);
    EXPECT_EQ(folder.read("r.kyr"), "SendText >hello \r\n  \r\nMouseMove >1,2\r\n");
    MacroList loaded;
    ASSERT_EQ(files.loadList(folder.file("r.kyr"), loaded), MacroFileRead::Read);
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

TEST_F(MacroFileTest, EncodingsAreDetectedOnLoad) {
    const std::pair<const char*, const char*> cases[] = {
        {"SendText >caf\xE9", "SendText >caf\xC3\xA9"},            // ANSI
        {"SendText >caf\xC3\xA9", "SendText >caf\xC3\xA9"},        // UTF-8
        {"\xEF\xBB\xBFSendText >\xCE\xA9", "SendText >\xCE\xA9"},  // UTF-8 with BOM
        {"\xEF\xBB\xBFPress_Tab", "Press_Tab"},                    // BOM, ASCII only
        {"\xEF\xBB\xBF>\xEF\xBB!\xC3\xA9", ">\xEF\xBF\xBD\xEF\xBF\xBD!\xC3\xA9"},  // BOM, damaged
        {"SendText >\x80 \xC3", "SendText >\xE2\x82\xAC \xC3\x83"},                // not UTF-8
    };
    for (const auto& [bytes, line] : cases) {
        folder.write("e.kyr", bytes);
        MacroList list;
        ASSERT_EQ(files.loadList(folder.file("e.kyr"), list), MacroFileRead::Read);
        EXPECT_EQ(list, (MacroList{line})) << bytes;
    }
}

TEST_F(MacroFileTest, Utf16WithAByteOrderMarkIsReadInEitherByteOrder) {
    const struct {
        std::u16string_view units;
        std::string_view odd;
        MacroList lines;
    } cases[] = {
        {u"Wait >1\r\nSendText >\u00E9\u20AC\r\n",
         "",
         {"Wait >1", "SendText >\xC3\xA9\xE2\x82\xAC"}},
        {u"SendText >\U0001F600", "", {"SendText >\xF0\x9F\x98\x80"}},  // surrogate pair
        {u"SendText >\xD83Dx\xDE00", "", {"SendText >\xEF\xBF\xBDx\xEF\xBF\xBD"}},  // lone halves
        {u"Loop\xD83D", "", {"Loop\xEF\xBF\xBD"}},  // a high half at the end
        {u"Loop", "\x0D", {"Loop\xEF\xBF\xBD"}},    // an odd byte count
        {u"\rPress_Tab\rLoop", "", {"Press_Tab", "Loop"}},
        {u"", "", {}},
    };
    for (const auto& c : cases) {
        for (const bool bigEndian : {false, true}) {
            SCOPED_TRACE(testing::Message()
                         << c.lines.size() << " lines, big endian " << bigEndian);
            folder.write("w.kyr", utf16(c.units, bigEndian, c.odd));
            MacroList list = {"old"};
            ASSERT_EQ(files.loadList(folder.file("w.kyr"), list), MacroFileRead::Read);
            EXPECT_EQ(list, c.lines);
        }
    }
    // Saving writes the usual encodings, never UTF-16 again.
    std::string text;
    folder.write("w.kyr", utf16(u"SendText >caf\u00E9\r\n", false));
    ASSERT_EQ(files.readText(folder.file("w.kyr"), text), MacroFileRead::Read);
    ASSERT_TRUE(files.write(folder.file("w.kyr"), text));
    EXPECT_EQ(folder.read("w.kyr"), "SendText >caf\xE9\r\n");
    folder.write("w.kyr", utf16(u"SendText >\u03A9\r\n", true));
    ASSERT_EQ(files.readText(folder.file("w.kyr"), text), MacroFileRead::Read);
    ASSERT_TRUE(files.write(folder.file("w.kyr"), text));
    EXPECT_EQ(folder.read("w.kyr"), "\xEF\xBB\xBFSendText >\xCE\xA9\r\n");
}

TEST_F(MacroFileTest, AFileWithNulCharactersIsRefusedWhole) {
    const std::string refused[] = {
        "Wait >1\r\n\0Loop\r\n"s, "\xEF\xBB\xBFSendText >\xCE\xA9\0"s,
        utf16(u"Press_Tab\r\n\0Loop"s, false),
        "P\0r\0e\0s\0s\0_\0T\0a\0b\0"s,  // UTF-16 without a byte-order mark
    };
    for (const std::string& bytes : refused) {
        folder.write("z.kyr", bytes);
        MacroList list = {"old"};
        std::string text = "kept";
        EXPECT_EQ(files.loadList(folder.file("z.kyr"), list), MacroFileRead::NulCharacters);
        EXPECT_EQ(files.readText(folder.file("z.kyr"), text), MacroFileRead::NulCharacters);
        EXPECT_EQ(list, MacroList{"old"});
        EXPECT_EQ(text, "kept");
    }
}

TEST_F(MacroFileTest, AFileLargerThanTheLimitIsRefusedWithItsOwnMessage) {
    MacroFiles limited{store, defaultCodePage(), 9};
    folder.write("fits.kyr", "Wait >1\r\n");
    folder.write("big.kyr", "Wait >10\r\n");
    const std::string big = folder.file("big.kyr");
    MacroList list = {"old"};
    std::string text = "kept";
    EXPECT_EQ(limited.loadList(big, list), MacroFileRead::TooLarge);
    EXPECT_EQ(limited.readText(big, text), MacroFileRead::TooLarge);
    EXPECT_EQ(list, MacroList{"old"});
    EXPECT_EQ(text, "kept");
    EXPECT_EQ(limited.loadList(folder.file("fits.kyr"), list), MacroFileRead::Read);
    EXPECT_FALSE(tellIfUnread(desktop, big, MacroFileRead::TooLarge));
    ASSERT_EQ(desktop.events().size(), 1u);
    // The desktop's log quotes the text, backslashes of a path included.
    const std::string logged = keyreel::quoted(std::string_view(big));
    EXPECT_NE(desktop.events()[0].find(logged.substr(1, logged.size() - 2) +
                                       " was not opened because it is larger than 64 MB"),
              std::string::npos);
}

TEST_F(MacroFileTest, SavesInTheCodePageUnlessACharacterWouldBeLost) {
    ASSERT_TRUE(files.saveList(folder.file("a.kyr"), {"SendText >caf\xC3\xA9 \xE2\x82\xAC"}));
    EXPECT_EQ(folder.read("a.kyr"), "SendText >caf\xE9 \x80\r\n");

    ASSERT_TRUE(files.saveList(folder.file("u.kyr"), {"SendText >\xCE\xA9 \xC3\xA9"}));
    EXPECT_EQ(folder.read("u.kyr"), "\xEF\xBB\xBFSendText >\xCE\xA9 \xC3\xA9\r\n");
    MacroList back;
    ASSERT_EQ(files.loadList(folder.file("u.kyr"), back), MacroFileRead::Read);
    EXPECT_EQ(back, (MacroList{"SendText >\xCE\xA9 \xC3\xA9"}));
}

// Found by fuzzing: the code page's bytes of these texts read back as other
// text ("Ã©" came back as "é", a leading "ï»¿" was taken for a UTF-8 and a
// leading "ÿþ" or "þÿ" for a UTF-16 byte-order mark).
TEST_F(MacroFileTest, CodePageTextThatWouldReadBackAsOtherTextIsSavedAsUtf8) {
    const MacroList lists[] = {
        {"SendText >\xC3\x83\xC2\xA9"},                 // Ã©
        {"\xC3\xAF\xC2\xBB\xC2\xBFPress_Tab", "Loop"},  // ï»¿ at the start
        {"\xC3\xBF\xC3\xBEPress_Tab"},                  // ÿþ at the start
        {"\xC3\xBE\xC3\xBFPress_Tab"},                  // þÿ at the start
    };
    for (const MacroList& list : lists) {
        ASSERT_TRUE(files.saveList(folder.file("s.kyr"), list));
        EXPECT_TRUE(folder.read("s.kyr").starts_with("\xEF\xBB\xBF")) << list[0];
        MacroList back;
        ASSERT_EQ(files.loadList(folder.file("s.kyr"), back), MacroFileRead::Read);
        EXPECT_EQ(back, list);
    }
    // The fuzzer's file: code-page text with those bytes inside.
    folder.write("f.kyr",
                 "\r\r\r\xEF\xBB\xBFtForW\x8A\x8A\n\x1B\xB7^|\xFE\x7F\x8A\r\nWait >caf\xC3\xA9");
    MacroList loaded;
    ASSERT_EQ(files.loadList(folder.file("f.kyr"), loaded), MacroFileRead::Read);
    ASSERT_TRUE(files.saveList(folder.file("g.kyr"), loaded));
    MacroList again;
    ASSERT_EQ(files.loadList(folder.file("g.kyr"), again), MacroFileRead::Read);
    EXPECT_EQ(again, loaded);
}

}  // namespace
}  // namespace keyreel
