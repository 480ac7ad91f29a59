// Macro files: loading every encoding, files refused whole, saving and its question.

#include "core/macro/macro_file.h"

#include <gtest/gtest.h>

#include "core/base/save_questions.h"
#include "core/macro/simulated_desktop.h"
#include "temp_folder.h"

namespace keyreel {
namespace {

using namespace std::string_literals;

class MacroFileTest : public ::testing::Test {
  protected:
    MacroList load(const std::string& bytes, MacroFiles* from = nullptr) {
        folder.write("m.kyr", bytes);
        MacroList list = {"old"};
        read = (from ? *from : files).loadList(folder.file("m.kyr"), list);
        return list;
    }

    TempFolder folder;
    LocalFileStore store;
    SimulatedDesktop desktop;
    MacroFiles files{store};
    MacroFileRead read = MacroFileRead::Read;
};

// UTF-16 with a byte-order mark, and `odd` as a last single byte.
std::string utf16(std::u16string_view units, bool bigEndian, std::string_view odd = "") {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : units) {
        const auto high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes += odd;
}

TEST_F(MacroFileTest, LoadDecodesEveryEncodingAndLineEndAndDropsEmptyLines) {
    const std::pair<std::string, MacroList> cases[] = {
        {"Press_Tab\r\n\r\n  \r\nWait >1\rSendText >x\n\nLoop",
         {"Press_Tab", "  ", "Wait >1", "SendText >x", "Loop"}},
        {"SendText >caf\xE9", {"SendText >caf\xC3\xA9"}},  // ANSI
        {"SendText >caf\xC3\xA9", {"SendText >caf\xC3\xA9"}},
        {"\xEF\xBB\xBF>\xEF\xBB!\xC3\xA9", {">\xEF\xBF\xBD\xEF\xBF\xBD!\xC3\xA9"}},  // damaged
        {"SendText >\x80 \xC3", {"SendText >\xE2\x82\xAC \xC3\x83"}},                // not UTF-8
        {utf16(u"Wait >1\r\nSendText >\u00E9\u20AC\r\n", false),
         {"Wait >1", "SendText >\xC3\xA9\xE2\x82\xAC"}},
        {utf16(u"\rPress_Tab\rLoop", true), {"Press_Tab", "Loop"}},
        {utf16(u"SendText >\xD83Dx\xDE00", true), {"SendText >\xEF\xBF\xBDx\xEF\xBF\xBD"}},
        {utf16(u"Loop", false, "\x0D"), {"Loop\xEF\xBF\xBD"}},  // an odd byte count
    };
    for (const auto& [bytes, lines] : cases) {
        EXPECT_EQ(load(bytes), lines) << bytes;
        EXPECT_EQ(read, MacroFileRead::Read);
    }
    MacroList kept = {"old"};
    EXPECT_EQ(files.loadList(folder.file("missing.kyr"), kept), MacroFileRead::Unreadable);
    EXPECT_EQ(kept, MacroList{"old"});
}

TEST_F(MacroFileTest, AFileWithNulCharactersOrOverTheLimitIsRefusedWhole) {
    MacroFiles limited{store, defaultCodePage(), 40};
    const std::pair<std::string, MacroFileRead> refused[] = {
        {"Wait >1\r\n\0Loop\r\n"s, MacroFileRead::NulCharacters},
        {utf16(u"Press_Tab\r\n\0Loop"s, false), MacroFileRead::NulCharacters},
        {"P\0r\0e\0s\0s\0_\0T\0a\0b\0"s, MacroFileRead::NulCharacters},  // UTF-16 without a BOM
        {std::string(41, 'x'), MacroFileRead::TooLarge},
    };
    for (const auto& [bytes, why] : refused) {
        EXPECT_EQ(load(bytes, &limited), MacroList{"old"});
        EXPECT_EQ(read, why);
        std::string text = "kept";
        EXPECT_EQ(limited.readText(folder.file("m.kyr"), text), why);
        EXPECT_EQ(text, "kept");
    }
    EXPECT_FALSE(tellIfUnread(desktop, folder.file("m.kyr"), MacroFileRead::TooLarge));
    EXPECT_NE(desktop.events().at(0).find(" was not opened because it is larger than 64 MB"),
              std::string::npos);
}

// The question is asked only for a file that exists, and defaults to No.
TEST_F(MacroFileTest, SaveAsksBeforeReplacingAFileAndRoundTripsWithCrLf) {
    const MacroList list = {"SendText >hello ", "  ", "MouseMove >1,2"};
    const auto save = [&](const MacroList& lines) {
        const std::string path = folder.file("r.kyr");
        return saveAfterAsking(desktop, files.exists(path),
                               [&] { return files.saveList(path, lines); });
    };
    ASSERT_EQ(save(list), SaveOutcome::Saved);
    EXPECT_EQ(folder.read("r.kyr"), "SendText >hello \r\n  \r\nMouseMove >1,2\r\n");
    EXPECT_EQ(load(folder.read("r.kyr")), list);
    EXPECT_TRUE(desktop.events().empty());
    desktop.questionAnswer = MessageAnswer::No;
    EXPECT_EQ(save({"new"}), SaveOutcome::Declined);
    EXPECT_EQ(desktop.events(),
              std::vector<std::string>{
                  "message \"Overwrite existing file?\" \"Tobrin's Keyreel\" -> no"});
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

TEST_F(MacroFileTest, SavesInTheCodePageUnlessACharacterWouldBeLostOrReadBackAsAnother) {
    ASSERT_TRUE(files.saveList(folder.file("a.kyr"), {"SendText >caf\xC3\xA9 \xE2\x82\xAC"}));
    EXPECT_EQ(folder.read("a.kyr"), "SendText >caf\xE9 \x80\r\n");
    // Else UTF-8: "Ã©" would read back as "é", a leading "ï»¿" or "ÿþ" as a BOM.
    const MacroList lists[] = {
        {"SendText >\xCE\xA9 \xC3\xA9"},
        {"SendText >\xC3\x83\xC2\xA9"},
        {"\xC3\xAF\xC2\xBB\xC2\xBFPress_Tab", "Loop"},
        {"\xC3\xBF\xC3\xBEPress_Tab"},
    };
    for (const MacroList& list : lists) {
        ASSERT_TRUE(files.saveList(folder.file("s.kyr"), list));
        EXPECT_TRUE(folder.read("s.kyr").starts_with("\xEF\xBB\xBF")) << list[0];
        EXPECT_EQ(load(folder.read("s.kyr")), list);
    }
    std::string text;
    folder.write("w.kyr", utf16(u"SendText >caf\u00E9\r\n", false));
    ASSERT_EQ(files.readText(folder.file("w.kyr"), text), MacroFileRead::Read);
    ASSERT_TRUE(files.write(folder.file("w.kyr"), text));
    EXPECT_EQ(folder.read("w.kyr"), "SendText >caf\xE9\r\n");
}

}  // namespace
}  // namespace keyreel
