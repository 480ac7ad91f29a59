// The main window's model: titles around every play, the file-play guard,
// stop, and the start-up decisions.

#include "core/main_window/main_model.h"

#include <gtest/gtest.h>

#include "core/macro/whole_second_wait.h"
#include "core/main_window/startup.h"
#include "model_fixture.h"

namespace keyreel {
namespace {

class TitleLog : public MainModelObserver {
  public:
    std::vector<std::string> titles;
    int listChanges = 0;
    void titleChanged(const std::string& title) override { titles.push_back(title); }
    void listChanged() override { ++listChanges; }
};

class MainModelTest : public ::testing::Test, protected ModelParts {
  protected:
    MainModelTest() { model.setObserver(&log); }

    TitleLog log;
};

TEST_F(MainModelTest, EveryPlayIsBracketedByThePlayingAndIdleTitles) {
    folder.write("a.kyr", "Press_Tab\r\n\r\nPress_Up\r\n");
    ASSERT_EQ(model.loadList(folder.file("a.kyr")), MacroFileRead::Read);
    EXPECT_EQ(model.runState().macroLineCount, 2);
    model.runState().stopRequested = true;  // a stop left over from before
    model.runList();
    EXPECT_EQ(log.titles, (std::vector<std::string>{kPlayingTitle, kIdleTitle}));
    EXPECT_EQ(desktop.events().size(), 4u) << "both lines played";
    EXPECT_EQ(std::string(kPlayingTitle), "Tobrin's Keyreel   \xC2\xBB");
    EXPECT_EQ(std::string(kStoppedTitle), "Tobrin's Keyreel   \xC3\x97");
}

TEST_F(MainModelTest, StopShowsTheStoppedTitleUntilThePlayReturns) {
    folder.write("w.kyr", "Wait >2\r\nPress_Tab\r\n");
    desktop.atProcessingPoint = [&] {
        if (log.titles.size() == 1)
            model.stop();
    };
    model.playMacroFile(folder.file("w.kyr"));
    EXPECT_EQ(log.titles, (std::vector<std::string>{kPlayingTitle, kStoppedTitle, kIdleTitle}));
    EXPECT_EQ(desktop.events(), (std::vector<std::string>{"wait 1"})) << "ended within its second";
    EXPECT_FALSE(model.playing());
}

TEST_F(MainModelTest, AnUnreadableFileEndsAFilePlaySilently) {
    folder.write("a.kyr", "Press_Tab\r\n");
    ASSERT_EQ(model.loadList(folder.file("a.kyr")), MacroFileRead::Read);
    log.titles.clear();
    model.playMacroFile(folder.file("missing.kyr"));
    EXPECT_TRUE(log.titles.empty());
    EXPECT_EQ(model.list(), (MacroList{"Press_Tab"}));
    EXPECT_FALSE(model.playing());

    model.stop();  // with nothing playing: the stopped title, playing cleared
    EXPECT_EQ(model.title(), kStoppedTitle);
    EXPECT_TRUE(model.runState().stopRequested);
}

// Hot keys and Run, where the user is there to be asked: a Yes holds for
// the path for the rest of the run, a No plays nothing and keeps nothing.
TEST_F(MainModelTest, ADownloadedFilePlaysFromAHotKeyOrRunOnlyOnceTheUserAgreed) {
    for (const char* name : {"web1.kyr", "web2.kyr", "web3.kyr", "web4.kyr", "plain.kyr"})
        folder.write(name, "Press_F1\r\n");
    const std::string f = folder.file("web1.kyr"), g = folder.file("web2.kyr");
    AskedFiles asked{desktop, [](const std::string& path) {
                         return path.find("web") != std::string::npos ||
                                path.find("WEB") != std::string::npos;
                     }};
    model.setAskedFiles(&asked);
    enum class Way { HotKey, LoadAndRun, Run, Clear };
    const struct {
        Way way;
        std::string path;
        MessageAnswer answer;
        bool asks;
        bool plays;
    } steps[] = {
        {Way::HotKey, f, MessageAnswer::No, true, false},
        {Way::HotKey, f, MessageAnswer::Yes, true, true},
        {Way::HotKey, f, MessageAnswer::No, false, true},
        {Way::LoadAndRun, g, MessageAnswer::No, true, false},
        {Way::Run, "", MessageAnswer::Yes, true, true},  // the builder's edits keep the file
        {Way::Run, "", MessageAnswer::No, false, true},
        {Way::Clear, "", MessageAnswer::No, false, true},
        {Way::HotKey, folder.file("plain.kyr"), MessageAnswer::No, false, true},
        {Way::LoadAndRun, f, MessageAnswer::No, false, true},
    };
    int step = 0;
    for (const auto& s : steps) {
        SCOPED_TRACE(testing::Message() << "step " << step++);
        const std::size_t from = desktop.events().size();
        desktop.questionAnswer = s.answer;
        if (s.way == Way::HotKey) {
            model.playAskedFile(s.path);
        } else if (s.way == Way::LoadAndRun) {
            ASSERT_EQ(model.loadList(s.path), MacroFileRead::Read);
            model.runList();
        } else {
            if (s.way == Way::Clear)
                model.clearList();
            model.appendLine("Press_Tab");
            model.runList();
        }
        const std::vector<std::string> events(desktop.events().begin() + from,
                                              desktop.events().end());
        const bool asks =
            !events.empty() && events.front().find("came from the internet") != std::string::npos;
        EXPECT_EQ(asks, s.asks);
        EXPECT_EQ(events.size() > (asks ? 1u : 0u), s.plays);
    }
    const std::size_t before = desktop.events().size();
    EXPECT_TRUE(asked.agreed(folder.file("WEB1.KYR")));
    EXPECT_EQ(desktop.events().size(), before) << "Windows paths ignore case";

    // While the question shows, another hot key plays nothing and asks nothing.
    desktop.questionAnswer = MessageAnswer::Yes;
    FilePlayResult nested = FilePlayResult::Played;
    desktop.atProcessingPoint = [&] {
        desktop.atProcessingPoint = nullptr;
        nested = model.playAskedFile(folder.file("web4.kyr"));
    };
    EXPECT_EQ(model.playAskedFile(folder.file("web3.kyr")), FilePlayResult::Played);
    EXPECT_EQ(nested, FilePlayResult::Downloaded);
}

TEST(Startup, PlansFromTheCommandLineAndSettings) {
    const StartupPlan tray = planStartup("", true, true, 10);
    EXPECT_TRUE(tray.hideToTray);

    const StartupPlan loadOnly = planStartup("C:\\m\\a.kyr", false, true, 10);
    EXPECT_FALSE(loadOnly.hideToTray);
    EXPECT_EQ(loadOnly.macroPath, "C:\\m\\a.kyr");
    EXPECT_FALSE(loadOnly.play);
    EXPECT_FALSE(loadOnly.countdown) << "no count-down when nothing will play";

    const StartupPlan counted = planStartup("\"C:\\My Macros\\a.kyr\"", true, true, 5);
    EXPECT_EQ(counted.macroPath, "C:\\My Macros\\a.kyr") << "Explorer's quotes are removed";
    EXPECT_TRUE(counted.play);
    EXPECT_TRUE(counted.countdown);
    EXPECT_EQ(counted.countdownSeconds, 5);

    EXPECT_FALSE(planStartup(" a.kyr", true, false, 5).countdown);
    EXPECT_EQ(macroPathFromCommandLine("  \"a b.kyr\" "), "a b.kyr");
    EXPECT_EQ(macroPathFromCommandLine("\"a\" \"b\""), "a\" \"b") << "one enclosing pair only";
    EXPECT_EQ(macroPathFromCommandLine("\""), "\"");
}

TEST(Startup, ASecondCopyHandsOverItsFileByTheFullPath) {
    // The second copy's current folder; "gone:" stands for a path it cannot resolve.
    const auto fullPath = [](const std::string& path) {
        return path.starts_with("gone:") ? std::string() : "C:\\My Macros\\" + path;
    };
    const std::pair<std::string_view, std::string> cases[] = {
        {"a.kyr", "C:\\My Macros\\a.kyr"},
        {" \"sub dir\\a b.kyr\" ", "C:\\My Macros\\sub dir\\a b.kyr"},
        {"", ""},
        {"\"\"", ""},
        {"gone:a.kyr", ""},
    };
    for (const auto& [commandLine, received] : cases) {
        const std::string handedOver = handOverCommandLine(commandLine, fullPath);
        EXPECT_EQ(handedOver.empty(), received.empty()) << commandLine;
        EXPECT_EQ(macroPathFromCommandLine(handedOver), received) << commandLine;
    }
}

TEST(WholeSecondWait, CountsWholeSecondsAcrossMidnightAndStopsWhenAsked) {
    SimulatedDesktop desktop;
    const std::int64_t day = 86'400'000;
    desktop.nowMillis = day - 2'000 + 400;  // 11:59:58.400 PM
    std::vector<std::int64_t> seen;
    waitWholeSeconds(desktop, 5, {}, [&](std::int64_t elapsed) { seen.push_back(elapsed); });
    EXPECT_EQ(desktop.nowMillis, day + 3'000) << "ends at 12:00:03 AM";
    EXPECT_EQ(seen, (std::vector<std::int64_t>{1, 2, 3, 4, 5}));

    bool cancelled = false;
    int wakeUps = 0;
    desktop.atProcessingPoint = [&] { cancelled = ++wakeUps == 3; };
    const std::int64_t before = desktop.nowMillis;
    waitWholeSeconds(desktop, 10, [&] { return !cancelled; });
    EXPECT_EQ(desktop.nowMillis - before, 3'000) << "Cancel after three seconds ends it";

    waitWholeSeconds(desktop, 0);
    waitWholeSeconds(desktop, -3);
    EXPECT_EQ(desktop.nowMillis - before, 3'000) << "no wait for zero or less";
}

}  // namespace
}  // namespace keyreel
