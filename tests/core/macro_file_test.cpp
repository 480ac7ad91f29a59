// Macro text and files: UTF-8, code pages, lint, loading and saving, the editor's document.

#include "core/macro/macro_file.h"

#include <gtest/gtest.h>

#include "core/base/memory_file_store.h"
#include "core/base/save_questions.h"
#include "core/base/text.h"
#include "core/editor/check_list.h"
#include "core/editor/editor_document.h"
#include "core/macro/command_table.h"
#include "core/macro/line_syntax.h"
#include "core/macro/lint.h"
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
    const MacroList lists[] = {{"SendText >\xCE\xA9 \xC3\xA9"},
                               {"SendText >\xC3\x83\xC2\xA9"},
                               {"\xC3\xAF\xC2\xBB\xC2\xBFPress_Tab", "Loop"},
                               {"\xC3\xBF\xC3\xBEPress_Tab"}};
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

TEST(Text, DecodingCodePageLinesAndQuoting) {
    const std::string text = "a\xC3\xA9\xF0\x9F\x98\x80\xFF\xC3";
    std::size_t pos = 0;
    std::u32string out;
    while (pos < text.size())
        out += decodeUtf8(text, pos);
    EXPECT_EQ(out, (std::u32string{U'a', U'\u00E9', U'\U0001F600', 0xFFFD, 0xFFFD}));
    EXPECT_FALSE(isValidUtf8("\xC0\xAF")) << "overlong";
    const Windows1252 cp;
    EXPECT_EQ(cp.fromUtf8(cp.toUtf8("\x80\xE9\x81")), "\x80\xE9\x81");
    EXPECT_FALSE(cp.fromUtf8("\xCE\xA9"));
    EXPECT_EQ(withCrLfLineEnds("a\nb\r\nc\rd\r\r\n\n"), "a\r\nb\r\nc\r\nd\r\n\r\n\r\n");
    EXPECT_EQ(quoted("a\"b\\c\td\r\n\x01\xC3\xA9"), "\"a\\\"b\\\\c\\td\\r\\n\\x01\xC3\xA9\"");
    EXPECT_EQ(toLowerForSearch("R\xC3\x89SUM\xC3\x89 \xC3\x97"), "r\xC3\xA9sum\xC3\xA9 \xC3\x97");
}

TEST(LineSyntax, TokensValuesNumbersAndPoints) {
    std::string_view text = "a  b";
    EXPECT_EQ(nextToken(text), "a");
    EXPECT_EQ(nextToken(text), "");
    EXPECT_EQ(nextToken(text), "b");
    const std::pair<const char*, const char*> values[] = {
        {"Wait > 5", "5"},           {"Wait>5", "5"},
        {"SendText >a > b", "b"},    {"SendText >a>b>c", "b>c"},
        {"SendText > \thi", "\thi"}, {"SendText", "SendText"},
    };
    for (const auto& [line, value] : values)
        EXPECT_EQ(lineValue(line), value) << line;
    // Numbers round half to even and must fit their width.
    const std::pair<const char*, std::optional<std::int32_t>> counts[] = {
        {"2.5", 2},         {"3.5", 4},   {"-2.5", -2},
        {" +7 ", 7},        {".5", 0},    {"1e3", {}},
        {"--1", {}},        {"0x10", {}}, {"2147483647", 2147483647},
        {"2147483648", {}},
    };
    for (const auto& [textValue, count] : counts)
        EXPECT_EQ(parseCount(textValue), count) << textValue;
    EXPECT_FALSE(parseCoordinate("32767.5")) << "rounds to 32768";
    EXPECT_EQ(parseScreenPoint("1,2,3"), (ScreenPoint{1, 3}));
    for (const char* bad : {"100", "1,", "1,2,x", "40000,0"})
        EXPECT_FALSE(parseScreenPoint(bad)) << bad;
}

TEST(Lint, ReportsProbableMistakesWithLineNumbersAfterEveryKindOfLineEnd) {
    const auto findings = lintMacroText(
        "press_enter\r\n"                 // 1: wrong case
        "SendText\r\n"                    // 2: no value
        "\r\n"                            // 3: empty, fine
        "Wait >abc\n"                     // 4: not a number
        "MouseMove >100\r"                // 5: no y
        "SendText >Done Press_Enter\r\n"  // 6: command inside the value
        "Press_Pause\r\n"                 // 7: plays as nothing
        "Wait>5\r\n"                      // 8: glued marker
        "LClik  Press_Tab\r\n"            // 9: one edit away; double space is fine
        "Rexeay\r\n"                      // 10: six letters, two edits away
        "Hello");                         // 11: nothing close
    const std::vector<LintFinding> expected = {
        {1, "'press_enter' is no command word; did you mean 'Press_Enter'?"},
        {2, "'SendText' has no '>' value: it will use the whole line 'SendText' as its value"},
        {4, "'Wait' value 'abc' is not a whole number: it will not wait"},
        {5, "'MouseMove' value '100' is no usable x,y point: the pointer will not move"},
        {6, "'Press_Enter' inside the value will also run as a command"},
        {7, "'Press_Pause' is no command word and plays as nothing"},
        {8, "'Wait>5' is no command word: write 'Wait >5'"},
        {9, "'LClik' is no command word; did you mean 'LClick'?"},
        {10, "'Rexeay' is no command word; did you mean 'Repeat'?"},
        {11, "'Hello' is no command word"},
    };
    EXPECT_EQ(findings, expected);
    EXPECT_EQ(checkListRows(findings).back(), "Line 11: 'Hello' is no command word");
    EXPECT_EQ(checkListRows({}), std::vector<std::string>{"No probable mistakes found."});
}

TEST(CheckList, AFindingSelectsItsLineInEditControlPositions) {
    // "é" and "你" are one UTF-16 unit each, the emoji two.
    const std::string text = "Wait >1\r\nSendText >\xC3\xA9\xF0\x9F\x98\x80\nHullo\r\n\xE4\xBD\xA0";
    const std::vector<std::pair<int, TextRange>> cases = {
        {1, {0, 7}}, {2, {9, 22}}, {3, {23, 28}}, {4, {30, 31}}, {5, {31, 31}}, {0, {31, 31}},
    };
    for (const auto& [line, range] : cases)
        EXPECT_EQ(lineRange(text, line), range) << "line " << line;
}

using Events = std::vector<std::string>;
constexpr const char* kChanged = "Wait >1\r\nPress_Tab\r\n";

// Dialogs give the paths in `choices` (none: cancelled); a.kyr open and changed.
struct EditorParts : EditorObserver {
    MemoryFileStore store;
    MacroFiles files{store};
    SimulatedDesktop desktop;
    std::vector<std::optional<std::string>> choices;
    std::vector<FileDialogRequest> dialogs;
    int lineCountResets = 0;
    Events notices;
    EditorDocument document{{desktop, files,
                             [this](const FileDialogRequest& request) {
                                 dialogs.push_back(request);
                                 const std::size_t at = dialogs.size() - 1;
                                 return at < choices.size() ? choices[at] : std::nullopt;
                             },
                             [this] { ++lineCountResets; }}};

    explicit EditorParts(bool openChanged = false) {
        document.setObserver(this);
        store.files = {{"a.kyr", "Wait >1\r\n"}, {"b.kyr", "Wait >2\r\n"}};
        if (openChanged) {
            document.openFile("a.kyr");
            document.setText(kChanged);
        }
    }
    void textReplaced() override {}
    void textAppended(std::string_view added) override { notices.emplace_back(added); }
    void titleChanged() override {}
    void recentFilesChanged() override {}
};

TEST(EditorDocument, DoubleClickAppendsTheWordWithAValueMarkerForTheTenValueWords) {
    EditorParts parts;
    parts.document.copyList(mainCommandListWords());
    const std::vector<std::string_view> builderWords = builderCommandWords();
    ASSERT_EQ(parts.document.commandWords(),
              std::vector<std::string>(builderWords.begin(), builderWords.end()));
    parts.document.setText("Press_Enter");
    for (std::size_t i = 0; i < builderWords.size(); ++i) {
        parts.document.appendCommand(parts.document.commandWords()[i]);
        EXPECT_EQ(parts.document.text().ends_with(" >\r\n"), i < 10) << builderWords[i];
    }
    const std::string first = std::string(builderWords[0]) + " >\r\n";
    EXPECT_TRUE(parts.document.text().starts_with("Press_Enter" + first))
        << "at the end, after whatever is there";
    EXPECT_EQ(parts.notices.front(), first);
    EXPECT_TRUE(parts.document.modified());
}

TEST(EditorDocument, OpeningShowsTheFileInTheTitleAndTheRecentFilesOnce) {
    EditorParts parts;
    parts.store.files["lf.kyr"] = "Wait >1\nPress_Tab\n";
    parts.choices = {"a.kyr", "b.kyr", "a.kyr", std::nullopt, "lf.kyr"};
    for (int i = 0; i < 5; ++i)
        parts.document.open();
    EXPECT_EQ(parts.document.recentFiles(), (Events{"a.kyr", "b.kyr", "lf.kyr"}));
    EXPECT_EQ(parts.document.title(), "Tobrin's Keyreel: lf.kyr");
    EXPECT_EQ(parts.document.text(), kChanged) << "LF alone shows as CR LF";
    EXPECT_FALSE(parts.document.modified());

    parts.document.setText("changed");
    parts.document.openFile("lf.kyr");
    EXPECT_EQ(parts.document.text(), "changed") << "the open file is not read again";
    EXPECT_TRUE(parts.desktop.events().empty());
    parts.desktop.questionAnswer = MessageAnswer::No;
    parts.document.newText();
    EXPECT_EQ(parts.document.title(), "Tobrin's Keyreel: Untitled");

    // A file not read is told and changes nothing, and no question is asked.
    parts.store.files["nul.kyr"] = std::string("Wait >1\r\n\0Loop\r\n", 15);
    parts.document.setText("typed");
    parts.document.openFile("nul.kyr");
    EXPECT_EQ(parts.desktop.events().size(), 2u) << "told, and no question about the text";
    EXPECT_EQ(parts.document.title(), "Tobrin's Keyreel: Untitled");
    EXPECT_EQ(parts.document.recentFiles().size(), 3u);
    EXPECT_EQ(parts.document.text(), "typed");
}

TEST(EditorDocument, SaveAsNamesTheDocumentAfterTheFileItSaved) {
    EditorParts parts(true);
    parts.document.setText("Wait >1\r\nPress_Tab");
    parts.choices = {std::nullopt, "d.kyr"};
    parts.document.saveAs();
    parts.document.saveAs();
    EXPECT_EQ(parts.dialogs.back(), macroFileSaveDialog());
    EXPECT_EQ(parts.store.files["d.kyr"], kChanged) << "a line end added where there is none";
    EXPECT_EQ(parts.document.title(), "Tobrin's Keyreel: d.kyr");
    EXPECT_EQ(parts.lineCountResets, 1) << "a save resets macroLineCount";
    parts.document.openFile("a.kyr");
    EXPECT_EQ(parts.document.text(), "Wait >1\r\n") << "the file before Save As opens again";
}

TEST(EditorDocument, CloseSaveClosesOnlyOnceSavedAndAsksBeforeReplacingAnotherFile) {
    const std::string overwrite = "message \"Overwrite existing file?\" \"Tobrin's Keyreel\" -> ";
    const std::tuple<std::optional<std::string>, MessageAnswer, Events, bool> cases[] = {
        {std::nullopt, MessageAnswer::No, {}, false},
        {"a.kyr", MessageAnswer::No, {}, true},  // the open file, saved again
        {"b.kyr", MessageAnswer::No, {overwrite + "no"}, false},
        {"b.kyr", MessageAnswer::Yes, {overwrite + "yes"}, true},
        {"new.kyr", MessageAnswer::No, {}, true},
    };
    for (const auto& [path, answer, events, saves] : cases) {
        SCOPED_TRACE(path.value_or("cancelled"));
        EditorParts editor(true);
        editor.desktop.questionAnswer = answer;
        editor.choices = {path};
        EXPECT_EQ(editor.document.closeSave(), saves);
        EXPECT_EQ(editor.desktop.events(), events);
        EXPECT_EQ(editor.document.modified(), !saves);
        if (path) {
            EXPECT_EQ(editor.store.files[*path] == kChanged, saves);
        }
    }
}

TEST(EditorDocument, ChangedTextIsNeverDroppedWithoutAQuestion) {
    const std::pair<MessageAnswer, const char*> answers[] = {
        {MessageAnswer::Yes, "yes"}, {MessageAnswer::No, "no"}, {MessageAnswer::Cancel, "cancel"}};
    // Whether each went ahead: New and Open show their text, closing says so.
    const std::function<bool(EditorDocument&)> actions[] = {
        [](EditorDocument& d) { return d.newText(), d.text().empty(); },
        [](EditorDocument& d) { return d.open(), d.text() == "Wait >2\r\n"; },
        [](EditorDocument& d) { return d.openFile("b.kyr"), d.text() == "Wait >2\r\n"; },
        [](EditorDocument& d) { return d.readyToClose(); }};
    for (std::size_t action = 0; action < std::size(actions); ++action) {
        for (const auto& [answer, answerName] : answers) {
            SCOPED_TRACE(testing::Message() << "action " << action << " answered " << answerName);
            EditorParts parts(true);
            parts.desktop.questionAnswer = answer;
            parts.choices = {"b.kyr"};
            const bool cancelled = answer == MessageAnswer::Cancel;
            EXPECT_EQ(actions[action](parts.document), !cancelled);
            EXPECT_EQ(parts.desktop.events(),
                      Events{"message \"Save changes to a.kyr?\" \"Tobrin's Keyreel\" -> " +
                             std::string(answerName)});
            EXPECT_EQ(parts.store.files["a.kyr"],
                      answer == MessageAnswer::Yes ? kChanged : "Wait >1\r\n");
            EXPECT_TRUE(!cancelled ||
                        (parts.document.text() == kChanged && parts.document.modified()));
            EXPECT_TRUE(cancelled || action == 3 || !parts.document.modified());
        }
    }
}

}  // namespace
}  // namespace keyreel
