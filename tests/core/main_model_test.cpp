// The main window's model and builder: titles, stop, nesting, downloads, list edits, start-up.

#include "core/main_window/main_model.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "core/base/text.h"
#include "core/main_window/macro_builder.h"
#include "core/main_window/pointer_display.h"
#include "core/main_window/startup.h"
#include "model_fixture.h"

namespace keyreel {
namespace {

using Strings = std::vector<std::string>;

class MainModelTest : public ::testing::Test, protected ModelParts, MainModelObserver {
  protected:
    MainModelTest() { model.setObserver(this); }
    void titleChanged(const std::string& title) override { titles.push_back(title); }
    void listChanged() override {}
    void load(const std::string& text) {
        folder.write("list.kyr", text);
        ASSERT_EQ(model.loadList(folder.file("list.kyr")), MacroFileRead::Read);
    }

    Strings titles;
};

TEST_F(MainModelTest, EveryPlayIsBracketedByThePlayingAndIdleTitlesAndStopShowsItsOwn) {
    load("Press_Tab\r\n\r\nPress_Up\r\n");
    model.runState().stopRequested = true;  // a stop left over from before
    model.runList();
    EXPECT_EQ(titles, (Strings{kPlayingTitle, kIdleTitle}));
    EXPECT_EQ(desktop.events().size(), 4u) << "both lines played";

    titles.clear();
    folder.write("w.kyr", "Wait >2\r\nPress_Tab\r\n");
    desktop.atProcessingPoint = [&] { model.stop(); };
    model.playMacroFile(folder.file("w.kyr"));
    EXPECT_EQ(titles, (Strings{kPlayingTitle, kStoppedTitle, kIdleTitle}));
    EXPECT_EQ(desktop.events().back(), "wait 1") << "ended within its second";
    EXPECT_FALSE(model.playing());
}

TEST_F(MainModelTest, TenThousandNestedRequestsNeverNestDeeperThanTheBound) {
    std::string taps;
    for (int i = 0; i < 100; ++i)
        taps += "Press_Tab\r\n";
    load(taps);
    int requests = 0, deepest = 0;
    desktop.atProcessingPoint = [&] {
        deepest = std::max(deepest, model.playDepth());
        if (requests < 10'000) {
            ++requests;
            model.runList();
        }
    };
    model.runList();
    EXPECT_EQ(deepest, kMaxNestedPlays);
    EXPECT_EQ(model.playDepth(), 0);
    // Requests at the bound were dropped; every play that began played the whole list.
    const auto started = std::ranges::count(titles, kPlayingTitle);
    EXPECT_GT(started, kMaxNestedPlays);
    EXPECT_LT(started, 5'000);
    EXPECT_EQ(std::ranges::count(titles, kIdleTitle), started);
    EXPECT_EQ(std::ranges::count(desktop.events(), "key up 0x09"), started * 100);
}

// Whatever play runs (the list, a file, the list nested in a file play).
TEST(FilePlayGuard, AFilePlayIsDroppedWhileAnyPlayRuns) {
    for (const int running : {0, 1, 2}) {
        SCOPED_TRACE(running);
        ModelParts parts;
        parts.folder.write("list.kyr", "Press_Tab\r\nWait >1\r\nPress_Up\r\n");
        parts.folder.write("hot.kyr", "Press_F5\r\n");
        ASSERT_EQ(parts.model.loadList(parts.folder.file("list.kyr")), MacroFileRead::Read);
        int requests = 0;
        parts.desktop.atProcessingPoint = [&] {
            if (running == 2 && requests++ == 0)
                return parts.model.runList();
            ++requests;
            EXPECT_EQ(parts.model.playMacroFile(parts.folder.file("hot.kyr")),
                      FilePlayResult::Busy);
            EXPECT_EQ(parts.model.list(), (MacroList{"Press_Tab", "Wait >1", "Press_Up"}));
        };
        running == 0 ? parts.model.runList()
                     : void(parts.model.playMacroFile(parts.folder.file("list.kyr")));
        EXPECT_GT(requests, 1);
        EXPECT_EQ(std::ranges::count(parts.desktop.events(), "key down 0x74"), 0)
            << "F5 was played";
        EXPECT_EQ(parts.desktop.events().back(), "key up 0x26") << "the running play ended";
    }
}

// A Yes holds for the path for the rest of the run; a No plays nothing.
TEST_F(MainModelTest, ADownloadedFilePlaysFromAHotKeyOrRunOnlyOnceTheUserAgreed) {
    for (const char* name : {"web1.kyr", "web2.kyr", "web3.kyr", "web4.kyr"})
        folder.write(name, "Press_F1\r\n");
    const std::string f = folder.file("web1.kyr"), g = folder.file("web2.kyr");
    AskedFiles asked{desktop,
                     [](const std::string& path) { return path.find("web") != std::string::npos; }};
    model.setAskedFiles(&asked);
    // "?" when the step asked, "+" when it played.
    const auto step = [&](MessageAnswer answer, const std::function<void()>& act) {
        const Strings& events = desktop.events();
        const std::size_t from = events.size();
        desktop.questionAnswer = answer;
        act();
        const bool asks = events.size() > from &&
                          events[from].find("came from the internet") != std::string::npos;
        return std::string(asks ? "?" : "") + (events.size() > from + asks ? "+" : "");
    };
    using enum MessageAnswer;
    const auto addAndRun = [&] { model.appendLine("Press_Tab"), model.runList(); };
    EXPECT_EQ(step(No, [&] { model.playAskedFile(f); }), "?");
    EXPECT_EQ(step(Yes, [&] { model.playAskedFile(f); }), "?+");
    EXPECT_EQ(step(No, [&] { model.loadList(g), model.runList(); }), "?");
    EXPECT_EQ(step(Yes, addAndRun), "?+") << "the builder's edits keep the file";
    model.clearList();
    EXPECT_EQ(step(No, addAndRun), "+");
    EXPECT_TRUE(asked.agreed(folder.file("WEB1.KYR"))) << "Windows paths ignore case";

    // While the question shows, another hot key plays nothing and asks nothing.
    FilePlayResult nested = FilePlayResult::Played;
    desktop.questionAnswer = Yes;
    desktop.atProcessingPoint = [&, once = true]() mutable {
        if (std::exchange(once, false))
            nested = model.playAskedFile(folder.file("web4.kyr"));
    };
    EXPECT_EQ(model.playAskedFile(folder.file("web3.kyr")), FilePlayResult::Played);
    EXPECT_EQ(nested, FilePlayResult::Downloaded);
}

TEST(Startup, PlansFromTheCommandLineAndSettingsAndHandsOverFullPaths) {
    EXPECT_TRUE(planStartup("", true, true, 10).hideToTray);
    const StartupPlan loadOnly = planStartup("C:\\m\\a.kyr", false, true, 10);
    EXPECT_FALSE(loadOnly.hideToTray || loadOnly.play || loadOnly.countdown);
    const StartupPlan counted = planStartup("\"C:\\My Macros\\a.kyr\"", true, true, 5);
    EXPECT_EQ(counted.macroPath, "C:\\My Macros\\a.kyr");
    EXPECT_TRUE(counted.play && counted.countdown && counted.countdownSeconds == 5);
    EXPECT_FALSE(planStartup(" a.kyr", true, false, 5).countdown);
    EXPECT_EQ(macroPathFromCommandLine("\"a\" \"b\""), "a\" \"b") << "one enclosing pair only";
    EXPECT_EQ(macroPathFromCommandLine("\""), "\"");
    // "gone:" stands for a path the second copy cannot resolve.
    const auto fullPath = [](const std::string& path) {
        return path.starts_with("gone:") ? std::string() : "C:\\My Macros\\" + path;
    };
    EXPECT_EQ(macroPathFromCommandLine(handOverCommandLine(" \"sub dir\\a b.kyr\" ", fullPath)),
              "C:\\My Macros\\sub dir\\a b.kyr");
    for (const char* nothing : {"", "\"\"", "gone:a.kyr"})
        EXPECT_EQ(handOverCommandLine(nothing, fullPath), "") << nothing;
}

using Lines = MacroList;

TEST(ComposeLine, FollowsThePositionAndTheWaitAndRepeatDefault) {
    const std::tuple<std::string_view, std::int64_t, std::string_view, std::optional<std::string>>
        cases[] = {
            {"Wait", 3, " ", "Wait >1"},
            {"Wait", 3, "  ", "Wait >  "},
            {"Repeat", kNoPosition, "", "Repeat >1"},
            {"End_Repeat", 10, "5", "End_Repeat"},
            {"LClick", 51, "x", "LClick"},
            {"LClick", kNoPosition, "x", "LClick >x"},
            {"SendText", 7, "", "SendText >"},
            {"SendText", 7, " a > b ", "SendText > a > b "},
            {"", 3, "5", std::nullopt},
        };
    for (const auto& [word, position, value, line] : cases)
        EXPECT_EQ(composeLine({word, position, value}), line) << word << " at " << position;
}

TEST(BuilderDisplays, ListTipAndPointerPositionAndTrackerPlacement) {
    const Lines list{"Wait >1", "SendText >a"};
    EXPECT_EQ(listTipText(list, 1, true), "SendText >a");
    for (const auto& [row, inside] : {std::pair{1, false}, {2, true}, {-1, true}})
        EXPECT_EQ(listTipText(list, row, inside), "") << row;
    // 200 twips beside the pointer: 13.3 pixels at 96 DPI, 26.7 at 192.
    EXPECT_EQ(trackerPlacement(-1280, -5, 96).left, -1267);
    EXPECT_EQ(trackerPlacement(1279, 1023, 192).top, 1050);
}

class MacroBuilderTest : public ::testing::Test, protected ModelParts {
  protected:
    std::int32_t lineCount() { return model.runState().macroLineCount; }
};

TEST_F(MacroBuilderTest, AddInsertAndDeleteSetTheLineCountAsThePlayerReadsIt) {
    builder.add({"Press_Tab", 13, "ignored"});
    EXPECT_EQ(lineCount(), 0) << "the count before the new line";
    builder.add({"", kNoPosition, "x"});
    EXPECT_EQ(lineCount(), 1) << "counted even when nothing is added";
    builder.insert(kNoPosition, {"Wait", 3, ""});
    builder.insert(1, {"Wait", 3, ""});
    EXPECT_EQ(model.list(), (Lines{"Press_Tab"})) << "insert needs a selected line";
    builder.insert(0, {"SendText", 7, "a"});
    builder.insert(1, {"SendText", 7, "b"});
    EXPECT_EQ(model.list(), (Lines{"SendText >a", "SendText >b", "Press_Tab"}));
    EXPECT_EQ(lineCount(), 2);
    builder.deleteLine(kNoPosition);
    builder.deleteLine(3);
    EXPECT_EQ(lineCount(), 2) << "nothing selected: nothing changes";
    builder.deleteLine(0);
    EXPECT_EQ(model.list(), (Lines{"SendText >b", "Press_Tab"}));
    model.runList();
    EXPECT_EQ(desktop.events(), (Lines{"type \"b\"", "tick 1", "key down 0x09", "key up 0x09"}));
}

TEST_F(MacroBuilderTest, APlayReadsOnlyTheLinesLeftWhenTheListChangesUnderIt) {
    folder.write("m.kyr", "Wait >1\r\nPress_Tab\r\nPress_Up\r\nPress_Down\r\n");
    builder.load(folder.file("m.kyr"));
    desktop.atProcessingPoint = [&, once = true]() mutable {
        if (!std::exchange(once, false))
            return;
        builder.deleteLine(1);
        builder.clear();
        builder.add({"Press_End", 29, ""});
    };
    model.runList();
    EXPECT_EQ(desktop.events(), (Lines{"wait 1"})) << "line 1 on is gone";
    EXPECT_EQ(model.list(), (Lines{"Press_End"}));
}

TEST_F(MacroBuilderTest, LoadSetsTheCountAndAListFromADownloadedFileKeepsItsMark) {
    folder.write("m.kyr", "Press_Tab\r\n\r\nPress_Up\r\n");
    builder.load(folder.file("m.kyr"));
    EXPECT_EQ(lineCount(), 2);
    folder.write("m.kyr:Zone.Identifier", std::string(kInternetZoneMark));
    builder.save(folder.file("plain.kyr"));
    EXPECT_FALSE(files.webMarked(folder.file("plain.kyr"))) << "loaded before it was marked";
    builder.load(folder.file("m.kyr"));
    builder.save(folder.file("copy.kyr"));
    EXPECT_TRUE(files.webMarked(folder.file("copy.kyr")));
    builder.clear();
    builder.load(folder.file("missing.kyr"));
    EXPECT_TRUE(model.list().empty());
    EXPECT_EQ(lineCount(), 0);
    EXPECT_EQ(desktop.events().size(), 1u) << "told";
}

}  // namespace
}  // namespace keyreel
