// Macro files: loading in every encoding and line end, files refused whole,
// and saving in the code page or UTF-8 after the question.

#include "core/macro/macro_file.h"

#include <gtest/gtest.h>

#include "core/base/save_questions.h"
#include "core/macro/simulated_desktop.h"
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

TEST_F(MacroFileTest, LoadDropsEmptyLinesAndAcceptsEveryLineEnd) {
    folder.write("a.kyr", "Press_Tab\r\n\r\n  \r\nWait >1\rSendText >x\n\nLoop");
    MacroList list = {"old"};
    ASSERT_EQ(files.loadList(folder.file("a.kyr"), list), MacroFileRead::Read);
    EXPECT_EQ(list, (MacroList{"Press_Tab", "  ", "Wait >1", "SendText >x", "Loop"}));

    EXPECT_EQ(files.loadList(folder.file("missing.kyr"), list), MacroFileRead::Unreadable);
    EXPECT_EQ(list.size(), 5u) << "an unreadable file leaves the list as it was";
}

// The question is asked only for a file that exists, and defaults to No.
TEST_F(MacroFileTest, SaveAsksBeforeReplacingAFileAndRoundTripsWithCrLf) {
    const MacroList list = {"SendText >hello ", "  ", "MouseMove >1,2"};
    ASSERT_EQ(saveAsking(files, "r.kyr", list), SaveOutcome::Saved);
    EXPECT_EQ(folder.read("r.kyr"), "SendText >hello \r\n  \r\nMouseMove >1,2\r\n");
    MacroList loaded;
    ASSERT_EQ(files.loadList(folder.file("r.kyr"), loaded), MacroFileRead::Read);
    EXPECT_EQ(loaded, list);
    EXPECT_TRUE(desktop.events().empty());
    desktop.questionAnswer = MessageAnswer::No;
    EXPECT_EQ(saveAsking(files, "r.kyr", {"new"}), SaveOutcome::Declined);
    EXPECT_EQ(desktop.events(), (Events{std::string(kOverwrite) + "no"}));
    struct Boxes final : MessageBoxes {
        MessageAnswer showMessage(const MessageRequest& request) override {
            defaultNo = request.defaultNo;
            return MessageAnswer::Yes;
        }
        bool defaultNo = false;
    } boxes;
    EXPECT_EQ(saveAfterAsking(boxes, true, [] { return true; }), SaveOutcome::Saved);
    EXPECT_TRUE(boxes.defaultNo);
}
TEST_F(MacroFileTest, EncodingsAreDetectedOnLoad) {
    const std::pair<const char*, const char*> cases[] = {
        {"SendText >caf\xE9", "SendText >caf\xC3\xA9"},                            // ANSI
        {"SendText >caf\xC3\xA9", "SendText >caf\xC3\xA9"},                        // UTF-8
        {"\xEF\xBB\xBFSendText >\xCE\xA9", "SendText >\xCE\xA9"},                  // UTF-8 with BOM
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
        {u"SendText >\xD83Dx\xDE00", "", {"SendText >\xEF\xBF\xBDx\xEF\xBF\xBD"}},  // lone halves
        {u"Loop", "\x0D", {"Loop\xEF\xBF\xBD"}},  // an odd byte count
        {u"\rPress_Tab\rLoop", "", {"Press_Tab", "Loop"}},
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
}

TEST_F(MacroFileTest, AFileWithNulCharactersOrOverTheLimitIsRefusedWhole) {
    MacroFiles limited{store, defaultCodePage(), 40};
    const std::pair<std::string, MacroFileRead> refused[] = {
        {"Wait >1\r\n\0Loop\r\n"s, MacroFileRead::NulCharacters},
        {utf16(u"Press_Tab\r\n\0Loop"s, false), MacroFileRead::NulCharacters},
        {"P\0r\0e\0s\0s\0_\0T\0a\0b\0"s, MacroFileRead::NulCharacters},  // UTF-16 without a BOM
        {std::string(41, 'x'), MacroFileRead::TooLarge},
    };
    for (const auto& [bytes, read] : refused) {
        folder.write("z.kyr", bytes);
        MacroList list = {"old"};
        std::string text = "kept";
        EXPECT_EQ(limited.loadList(folder.file("z.kyr"), list), read);
        EXPECT_EQ(limited.readText(folder.file("z.kyr"), text), read);
        EXPECT_EQ(list, MacroList{"old"});
        EXPECT_EQ(text, "kept");
    }
    EXPECT_FALSE(tellIfUnread(desktop, folder.file("z.kyr"), MacroFileRead::TooLarge));
    EXPECT_NE(desktop.events().at(0).find(" was not opened because it is larger than 64 MB"),
              std::string::npos);
}

TEST_F(MacroFileTest, SavesInTheCodePageUnlessACharacterWouldBeLost) {
    ASSERT_TRUE(files.saveList(folder.file("a.kyr"), {"SendText >caf\xC3\xA9 \xE2\x82\xAC"}));
    EXPECT_EQ(folder.read("a.kyr"), "SendText >caf\xE9 \x80\r\n");

    // Else in UTF-8, also where the code page's bytes would read back as
    // other text: "Ã©" as "é", a leading "ï»¿", "ÿþ" or "þÿ" as a byte-order mark.
    const MacroList lists[] = {
        {"SendText >\xCE\xA9 \xC3\xA9"},
        {"SendText >\xC3\x83\xC2\xA9"},                 // Ã©
        {"\xC3\xAF\xC2\xBB\xC2\xBFPress_Tab", "Loop"},  // ï»¿ at the start
        {"\xC3\xBF\xC3\xBEPress_Tab"},                  // ÿþ at the start
    };
    for (const MacroList& list : lists) {
        ASSERT_TRUE(files.saveList(folder.file("s.kyr"), list));
        EXPECT_TRUE(folder.read("s.kyr").starts_with("\xEF\xBB\xBF")) << list[0];
        MacroList back;
        ASSERT_EQ(files.loadList(folder.file("s.kyr"), back), MacroFileRead::Read);
        EXPECT_EQ(back, list);
    }
}

}  // namespace
}  // namespace keyreel
