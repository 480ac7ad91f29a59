// The main window's model: titles around every play, stop, downloaded files
// asked about, and the start-up decisions.

#include "core/main_window/main_model.h"

#include <gtest/gtest.h>

#include <utility>

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

    Strings titles;
};

TEST_F(MainModelTest, EveryPlayIsBracketedByThePlayingAndIdleTitlesAndStopShowsItsOwn) {
    folder.write("a.kyr", "Press_Tab\r\n\r\nPress_Up\r\n");
    ASSERT_EQ(model.loadList(folder.file("a.kyr")), MacroFileRead::Read);
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

// A Yes holds for the path for the rest of the run; a No plays nothing.
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
    const std::tuple<Way, std::string, MessageAnswer, bool, bool> steps[] = {
        {Way::HotKey, f, MessageAnswer::No, true, false},
        {Way::HotKey, f, MessageAnswer::Yes, true, true},
        {Way::LoadAndRun, g, MessageAnswer::No, true, false},
        {Way::Run, "", MessageAnswer::Yes, true, true},  // the builder's edits keep the file
        {Way::Clear, "", MessageAnswer::No, false, true},
    };
    int step = 0;
    for (const auto& [way, path, answer, asks, plays] : steps) {
        SCOPED_TRACE(step++);
        const std::size_t from = desktop.events().size();
        desktop.questionAnswer = answer;
        if (way == Way::HotKey) {
            model.playAskedFile(path);
        } else if (way == Way::LoadAndRun) {
            ASSERT_EQ(model.loadList(path), MacroFileRead::Read);
            model.runList();
        } else {
            if (way == Way::Clear)
                model.clearList();
            model.appendLine("Press_Tab");
            model.runList();
        }
        const Strings events(desktop.events().begin() + from, desktop.events().end());
        const bool asked =
            !events.empty() && events.front().find("came from the internet") != std::string::npos;
        EXPECT_EQ(asked, asks);
        EXPECT_EQ(events.size() > (asked ? 1u : 0u), plays);
    }
    EXPECT_TRUE(asked.agreed(folder.file("WEB1.KYR"))) << "Windows paths ignore case";

    // While the question shows, another hot key plays nothing and asks nothing.
    FilePlayResult nested = FilePlayResult::Played;
    desktop.questionAnswer = MessageAnswer::Yes;
    desktop.atProcessingPoint = [&, once = true]() mutable {
        if (!std::exchange(once, false))
            return;
        nested = model.playAskedFile(folder.file("web4.kyr"));
    };
    EXPECT_EQ(model.playAskedFile(folder.file("web3.kyr")), FilePlayResult::Played);
    EXPECT_EQ(nested, FilePlayResult::Downloaded);
}

TEST(Startup, PlansFromTheCommandLineAndSettings) {
    EXPECT_TRUE(planStartup("", true, true, 10).hideToTray);
    const StartupPlan loadOnly = planStartup("C:\\m\\a.kyr", false, true, 10);
    EXPECT_FALSE(loadOnly.hideToTray || loadOnly.play || loadOnly.countdown);
    const StartupPlan counted = planStartup("\"C:\\My Macros\\a.kyr\"", true, true, 5);
    EXPECT_EQ(counted.macroPath, "C:\\My Macros\\a.kyr");
    EXPECT_TRUE(counted.play && counted.countdown);
    EXPECT_EQ(counted.countdownSeconds, 5);
    EXPECT_FALSE(planStartup(" a.kyr", true, false, 5).countdown);
    EXPECT_EQ(macroPathFromCommandLine("\"a\" \"b\""), "a\" \"b") << "one enclosing pair only";
    EXPECT_EQ(macroPathFromCommandLine("\""), "\"");
}

TEST(Startup, ASecondCopyHandsOverItsFileByTheFullPath) {
    // "gone:" stands for a path the second copy cannot resolve.
    const auto fullPath = [](const std::string& path) {
        return path.starts_with("gone:") ? std::string() : "C:\\My Macros\\" + path;
    };
    const std::pair<std::string_view, std::string> cases[] = {
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

}  // namespace
}  // namespace keyreel
