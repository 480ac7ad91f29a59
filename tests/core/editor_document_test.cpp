// The macro editor's document: the Commands list, titles, recent files and
// the File menu's flows, with answered dialogs and questions.

#include "core/editor/editor_document.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "core/base/memory_file_store.h"
#include "core/macro/command_table.h"
#include "core/macro/simulated_desktop.h"

namespace keyreel {
namespace {

using Events = std::vector<std::string>;
constexpr const char* kSaveQuestionA = "message \"Save changes to a.kyr?\" \"Tobrin's Keyreel\"";
constexpr const char* kOverwrite = "message \"Overwrite existing file?\" \"Tobrin's Keyreel\" -> ";
constexpr const char* kSaveFailed =
    "message \"Error occurred trying to close file, please retry.\" \"Tobrin's Keyreel\" -> ok";

// An editor whose dialogs give the paths in `choices` (none: cancelled) and
// whose questions the simulated desktop answers.
struct EditorParts : EditorObserver {
    MemoryFileStore store;
    MacroFiles files{store};
    SimulatedDesktop desktop;
    std::deque<std::optional<std::string>> choices;
    std::vector<FileDialogRequest> dialogs;
    int lineCountResets = 0;
    std::vector<std::string> notices;
    EditorDocument document{{desktop, files,
                             [this](const FileDialogRequest& request) {
                                 dialogs.push_back(request);
                                 std::optional<std::string> choice;
                                 if (!choices.empty()) {
                                     choice = choices.front();
                                     choices.pop_front();
                                 }
                                 return choice;
                             },
                             [this] { ++lineCountResets; }}};

    EditorParts() {
        document.setObserver(this);
        store.files = {{"a.kyr", "Wait >1\r\n"}, {"b.kyr", "Wait >2\r\n"}};
    }
    void textReplaced() override { notices.push_back("text"); }
    void textAppended(std::string_view added) override {
        notices.push_back("append " + std::string(added));
    }
    void titleChanged() override { notices.push_back("title " + document.title()); }
    void recentFilesChanged() override { notices.push_back("recent"); }

    void openChanged() {
        document.openFile("a.kyr");
        document.setText("Wait >1\r\nPress_Tab\r\n");
    }
};

TEST(EditorDocument, DoubleClickAppendsTheWordWithAValueMarkerForTheTenValueWords) {
    EditorParts parts;
    parts.document.copyList(mainCommandListWords());
    const std::vector<std::string_view> builderWords = builderCommandWords();
    ASSERT_EQ(parts.document.commandWords(),
              std::vector<std::string>(builderWords.begin(), builderWords.end()));
    for (std::size_t i = 0; i < builderWords.size(); ++i) {
        EditorParts editor;
        editor.document.appendCommand(parts.document.commandWords()[i]);
        EXPECT_EQ(editor.document.text().ends_with(" >\r\n"), i < 10) << builderWords[i];
    }
    parts.document.setText("Press_Enter");
    parts.document.appendCommand("Wait");
    EXPECT_EQ(parts.document.text(), "Press_EnterWait >\r\n")
        << "at the end, after whatever is there";
    EXPECT_EQ(parts.notices, (Events{"append Wait >\r\n"}));
    EXPECT_TRUE(parts.document.modified());
}
TEST(EditorDocument, OpeningShowsTheFileInTheTitleAndTheRecentFilesOnce) {
    EditorParts parts;
    EXPECT_EQ(parts.document.title(), "Tobrin's Keyreel");
    parts.store.files["lf.kyr"] = "Wait >1\nPress_Tab\n";
    parts.choices = {"a.kyr", "b.kyr", "a.kyr", std::nullopt, "lf.kyr"};
    for (int i = 0; i < 5; ++i)
        parts.document.open();
    EXPECT_EQ(parts.document.recentFiles(), (Events{"a.kyr", "b.kyr", "lf.kyr"}));
    EXPECT_EQ(parts.document.title(), "Tobrin's Keyreel: lf.kyr");
    EXPECT_EQ(parts.document.text(), "Wait >1\r\nPress_Tab\r\n") << "LF alone shows as CR LF";
    EXPECT_FALSE(parts.document.modified());

    parts.document.setText("changed");
    parts.document.openFile("lf.kyr");
    EXPECT_EQ(parts.document.text(), "changed") << "the open file is not read again";
    EXPECT_TRUE(parts.desktop.events().empty());

    parts.desktop.questionAnswer = MessageAnswer::No;
    parts.document.newText();
    EXPECT_EQ(parts.document.text(), "");
    EXPECT_EQ(parts.document.title(), "Tobrin's Keyreel: Untitled");
    EXPECT_EQ(parts.document.fileName(), "Untitled");

    // A file that is not read is reported and changes nothing else: no
    // title, no recent entry, and no question about the changed text.
    parts.store.files["nul.kyr"] = std::string("Wait >1\r\n\0Loop\r\n", 15);
    parts.document.setText("typed");
    parts.document.openFile("nul.kyr");
    EXPECT_EQ(parts.desktop.events().size(), 2u) << "told, and no question about the text";
    EXPECT_EQ(parts.document.title(), "Tobrin's Keyreel: Untitled");
    EXPECT_EQ(parts.document.recentFiles().size(), 3u);
    EXPECT_EQ(parts.document.text(), "typed");
}

TEST(EditorDocument, SaveAsNamesTheDocumentAfterTheFileItSaved) {
    EditorParts parts;
    parts.document.openFile("a.kyr");
    parts.document.setText("Wait >3");
    parts.choices = {std::nullopt, "d.kyr"};
    parts.document.saveAs();
    parts.document.saveAs();
    EXPECT_EQ(parts.dialogs.back(),
              (FileDialogRequest{FileDialogRequest::Kind::SaveAs,
                                 "Text Files (*.txt)|*.txt|Tobrin Files (*.kyr)|*.kyr", 2}));
    EXPECT_EQ(parts.store.files["d.kyr"], "Wait >3\r\n");
    EXPECT_EQ(parts.document.title(), "Tobrin's Keyreel: d.kyr");
    EXPECT_EQ(parts.lineCountResets, 1) << "a save resets macroLineCount";
    parts.document.openFile("a.kyr");
    EXPECT_EQ(parts.document.text(), "Wait >1\r\n") << "the file before Save As opens again";
}
TEST(EditorDocument, SavingAddsALineEndOnlyWhereTheTextHasNone) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Wait >1", "Wait >1\r\n"}, {"Wait >1\r\n", "Wait >1\r\n"}, {"", "\r\n"}};
    for (const auto& [text, bytes] : cases) {
        EditorParts parts;
        parts.document.setText(text);
        parts.choices = {"new.kyr"};
        EXPECT_TRUE(parts.document.closeSave());
        EXPECT_EQ(parts.store.files["new.kyr"], bytes);
    }
}

TEST(EditorDocument, CloseSaveClosesOnlyOnceSavedAndAsksBeforeReplacingAnotherFile) {
    const std::tuple<std::optional<std::string>, MessageAnswer, Events, bool> cases[] = {
        {std::nullopt, MessageAnswer::No, {}, false},
        {"locked.kyr", MessageAnswer::No, {kSaveFailed}, false},
        {"a.kyr", MessageAnswer::No, {}, true},  // the open file, saved again
        {"b.kyr", MessageAnswer::No, {std::string(kOverwrite) + "no"}, false},
        {"b.kyr", MessageAnswer::Yes, {std::string(kOverwrite) + "yes"}, true},
        {"new.kyr", MessageAnswer::No, {}, true},
    };
    for (const auto& [path, answer, events, saves] : cases) {
        SCOPED_TRACE(path.value_or("cancelled"));
        EditorParts editor;
        editor.openChanged();
        editor.store.unwritable.insert("locked.kyr");
        editor.desktop.questionAnswer = answer;
        editor.choices = {path};
        EXPECT_EQ(editor.document.closeSave(), saves);
        EXPECT_EQ(editor.desktop.events(), events);
        EXPECT_EQ(editor.document.modified(), !saves);
        if (path) {
            EXPECT_EQ(editor.store.files[*path] == "Wait >1\r\nPress_Tab\r\n", saves);
        }
    }
}

// New, Open, a recent entry and every way of closing ask about changed text.
TEST(EditorDocument, ChangedTextIsNeverDroppedWithoutAQuestion) {
    const std::string changed = "Wait >1\r\nPress_Tab\r\n";
    const std::pair<MessageAnswer, const char*> answers[] = {
        {MessageAnswer::Yes, "yes"}, {MessageAnswer::No, "no"}, {MessageAnswer::Cancel, "cancel"}};
    for (const char* action : {"new", "open", "recent", "close"}) {
        for (const auto& [answer, answerName] : answers) {
            SCOPED_TRACE(testing::Message() << action << " answered " << answerName);
            EditorParts parts;
            parts.openChanged();
            parts.desktop.questionAnswer = answer;
            parts.choices = {"b.kyr"};
            const std::string_view name = action;
            bool closes = false;
            if (name == "new")
                parts.document.newText();
            else if (name == "open")
                parts.document.open();
            else if (name == "recent")
                parts.document.openFile("b.kyr");
            else
                closes = parts.document.readyToClose();
            EXPECT_EQ(parts.desktop.events(),
                      (Events{std::string(kSaveQuestionA) + " -> " + answerName}));
            EXPECT_EQ(parts.store.files["a.kyr"],
                      answer == MessageAnswer::Yes ? changed : "Wait >1\r\n");
            const bool wentAhead = answer != MessageAnswer::Cancel;
            if (name == "close") {
                EXPECT_EQ(closes, wentAhead);
                continue;
            }
            const std::string after = name == "new" ? "" : "Wait >2\r\n";
            EXPECT_EQ(parts.document.text(), wentAhead ? after : changed);
            EXPECT_EQ(parts.document.modified(), !wentAhead);
        }
    }
}

}  // namespace
}  // namespace keyreel
