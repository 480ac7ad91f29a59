// The macro editor's document: the Commands list, titles, recent files and the File menu.

#include "core/editor/editor_document.h"

#include <gtest/gtest.h>

#include "core/base/memory_file_store.h"
#include "core/macro/command_table.h"
#include "core/macro/simulated_desktop.h"

namespace keyreel {
namespace {

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

// New, Open, a recent entry and closing ask about changed text.
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
