// The main window's model and builder, and the files it starts with or is handed.

#include "core/main_window/main_model.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <ranges>
#include <set>
#include <utility>

#include "core/base/text.h"
#include "core/base/web_mark.h"
#include "core/main_window/file_start.h"
#include "core/main_window/hand_over_payload.h"
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
    std::int32_t lineCount() { return model.runState().macroLineCount; }
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
TEST_F(MainModelTest, AFilePlayIsDroppedWhileAnyPlayRuns) {
    load("Press_Tab\r\nWait >1\r\nPress_Up\r\n");
    folder.write("hot.kyr", "Press_F5\r\n");
    for (const int running : {0, 1, 2}) {
        SCOPED_TRACE(running);
        int requests = 0;
        desktop.atProcessingPoint = [&] {
            if (running == 2 && requests++ == 0)
                return model.runList();
            ++requests;
            EXPECT_EQ(model.playMacroFile(folder.file("hot.kyr")), FilePlayResult::Busy);
            EXPECT_EQ(model.list(), (MacroList{"Press_Tab", "Wait >1", "Press_Up"}));
        };
        running == 0 ? model.runList() : void(model.playMacroFile(folder.file("list.kyr")));
        EXPECT_GT(requests, 1);
        EXPECT_EQ(std::ranges::count(desktop.events(), "key down 0x74"), 0) << "F5 was played";
        EXPECT_EQ(desktop.events().back(), "key up 0x26") << "the running play ended";
    }
}

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

TEST(ComposeLine, FollowsThePositionAndTheWaitAndRepeatDefault) {
    const std::tuple<const char*, std::int64_t, const char*, std::optional<std::string>> cases[] = {
        {"Wait", 3, " ", "Wait >1"},
        {"Wait", 3, "  ", "Wait >  "},
        {"Repeat", kNoPosition, "", "Repeat >1"},
        {"End_Repeat", 10, "5", "End_Repeat"},
        {"LClick", 51, "x", "LClick"},
        {"LClick", kNoPosition, "x", "LClick >x"},
        {"SendText", 7, "", "SendText >"},
        {"SendText", 7, " a > b ", "SendText > a > b "},
        {"", 3, "5", std::nullopt}};
    for (const auto& [word, position, value, line] : cases)
        EXPECT_EQ(composeLine({word, position, value}), line) << word << " at " << position;
}

TEST(BuilderDisplays, ListTipAndPointerPositionAndTrackerPlacement) {
    const Strings list{"Wait >1", "SendText >a"};
    EXPECT_EQ(listTipText(list, 1, true), "SendText >a");
    for (const auto& [row, inside] : {std::pair{1, false}, {2, true}, {-1, true}})
        EXPECT_EQ(listTipText(list, row, inside), "") << row;
    // 200 twips beside the pointer: 13.3 pixels at 96 DPI, 26.7 at 192.
    EXPECT_EQ(trackerPlacement(-1280, -5, 96).left, -1267);
    EXPECT_EQ(trackerPlacement(1279, 1023, 192).top, 1050);
}

TEST_F(MainModelTest, AddInsertAndDeleteSetTheLineCountAsThePlayerReadsIt) {
    builder.add({"Press_Tab", 13, "ignored"});
    EXPECT_EQ(lineCount(), 0) << "the count before the new line";
    builder.add({"", kNoPosition, "x"});
    EXPECT_EQ(lineCount(), 1) << "counted even when nothing is added";
    builder.insert(kNoPosition, {"Wait", 3, ""});
    builder.insert(1, {"Wait", 3, ""});
    EXPECT_EQ(model.list(), (Strings{"Press_Tab"})) << "insert needs a selected line";
    builder.insert(0, {"SendText", 7, "a"});
    builder.insert(1, {"SendText", 7, "b"});
    EXPECT_EQ(model.list(), (Strings{"SendText >a", "SendText >b", "Press_Tab"}));
    EXPECT_EQ(lineCount(), 2);
    builder.deleteLine(kNoPosition);
    builder.deleteLine(3);
    EXPECT_EQ(lineCount(), 2) << "nothing selected: nothing changes";
    builder.deleteLine(0);
    EXPECT_EQ(model.list(), (Strings{"SendText >b", "Press_Tab"}));
    model.runList();
    EXPECT_EQ(desktop.events(), (Strings{"type \"b\"", "tick 1", "key down 0x09", "key up 0x09"}));
}

TEST_F(MainModelTest, APlayReadsOnlyTheLinesLeftWhenTheListChangesUnderIt) {
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
    EXPECT_EQ(desktop.events(), (Strings{"wait 1"})) << "line 1 on is gone";
    EXPECT_EQ(model.list(), (Strings{"Press_End"}));
}

TEST_F(MainModelTest, LoadSetsTheCountAndAListFromADownloadedFileKeepsItsMark) {
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

class FileStartTest : public ::testing::Test, protected ModelParts {
  protected:
    FileStartTest()
        : starter(model, desktop, askedFiles,
                  {[this](std::int32_t) { return countDownGoes; }, [this] { ++windowShown; },
                   [this](const std::string& path) { recent.push_back(path); }}) {
        folder.write("a.kyr", "SendText >a\r\n");
        folder.write("b.kyr", "SendText >b\r\n");
        model.setAskedFiles(&askedFiles);
    }
    // What was typed from event `from` on, and "?" where the download question came.
    std::string since(std::size_t from = 0) const {
        std::string seen;
        for (const std::string& event : desktop.events() | std::views::drop(from)) {
            if (event.starts_with("type "))
                seen += event.substr(6, event.size() - 7);
            if (event.find("came from the internet") != std::string::npos)
                seen += "?";
        }
        return seen;
    }

    std::set<std::string> downloaded;
    AskedFiles askedFiles{desktop,
                          [this](const std::string& path) { return downloaded.contains(path); }};
    FileStarter starter;
    bool countDownGoes = true;
    int windowShown = 0;
    std::vector<std::string> recent;
};

TEST_F(FileStartTest, PlaysOnlyWhatTheSettingsAndTheUserAllow) {
    // Play loaded, from the internet, the answer, count-down goes; asked and typed.
    const std::tuple<bool, bool, MessageAnswer, bool, const char*> cases[] = {
        {false, false, MessageAnswer::Yes, true, ""},  // loaded only
        {true, false, MessageAnswer::Yes, false, ""},  // count-down cancelled
        {false, true, MessageAnswer::Yes, true, ""},   // nothing to ask: no play
        {true, true, MessageAnswer::No, true, "?"},   {true, true, MessageAnswer::Yes, true, "?a"},
    };
    const std::string path = folder.file("a.kyr");
    for (const auto& [playLoaded, fromInternet, answer, goes, seen] : cases) {
        SCOPED_TRACE(testing::Message() << playLoaded << fromInternet << goes);
        const std::size_t from = desktop.events().size();
        model.clearList();
        downloaded.clear();
        if (fromInternet)
            downloaded.insert(path);
        desktop.questionAnswer = answer;
        countDownGoes = goes;
        starter.start(planStartup("\"" + path + "\"", playLoaded, true, 3));
        EXPECT_EQ(model.list(), MacroList{"SendText >a"}) << "loaded in every case";
        EXPECT_EQ(since(from), seen);
        EXPECT_EQ(recent.back(), path);
    }
}

// Oldest first after the play; those beyond the most that wait are dropped, told once.
TEST_F(FileStartTest, HandOversWaitUntilThePlayUnderWayHasEnded) {
    starter.setSettings({true, false, 0});
    folder.write("long.kyr", "Wait >1\r\nSendText >l\r\n");
    desktop.atProcessingPoint = [&, once = true]() mutable {
        if (!std::exchange(once, false))
            return;
        EXPECT_TRUE(starter.handOver("\"" + folder.file("b.kyr") + "\""));
        for (std::size_t i = 0; i < FileStarter::kMostWaiting + 2; ++i)
            EXPECT_TRUE(starter.handOver(folder.file("a.kyr"))) << "taken, dropped or not";
        EXPECT_TRUE(starter.startHandedOver()) << "still waiting during the play";
        EXPECT_EQ(windowShown, 0);
    };
    model.playMacroFile(folder.file("long.kyr"));
    EXPECT_EQ(since(), "l") << "the running play went on unchanged";
    EXPECT_FALSE(starter.startHandedOver());
    EXPECT_EQ(since(), "lb" + std::string(FileStarter::kMostWaiting - 1, 'a'));
    EXPECT_FALSE(starter.waiting());
    EXPECT_THAT(desktop.events(),
                testing::Contains(testing::HasSubstr(" 3 of them were not opened")).Times(1));
}

TEST(HandOverPayload, OnlyWholeCodeUnitsUnderTheTagWithinACommandLinesSizeAreTaken) {
    using namespace std::string_view_literals;
    const std::string_view sent = "a\0.\0k\0y\0r\0"sv;
    std::string longest;
    while (longest.size() < kLongestHandOverBytes)
        longest += "a\0"sv;
    const std::tuple<std::uint64_t, std::string_view, std::optional<std::string>, bool> cases[] = {
        {kHandOverTag + 1, sent, std::nullopt, false},  // another program's data
        {kHandOverTag, sent.substr(0, sent.size() - 1), std::nullopt, false},  // half a unit
        {kHandOverTag, "b\0\0\0c\0"sv, "b", false},
        {kHandOverTag, "\xE9\0\x60\x4F\x3D\xD8\x00\xDE"sv, "\xC3\xA9\xE4\xBD\xA0\xF0\x9F\x98\x80",
         false},
        {kHandOverTag, longest, std::string(kLongestHandOverBytes / 2, 'a'), false},
        {kHandOverTag, longest + "a\0", std::nullopt, false},
        {kShowWindowTag, {}, std::nullopt, true},
        {kShowWindowTag, sent, std::nullopt, false},
    };
    int row = 0;
    for (const auto& [tag, bytes, taken, show] : cases) {
        EXPECT_EQ(handedOverCommandLine(tag, bytes), taken) << row;
        EXPECT_EQ(asksToShowWindow(tag, bytes), show) << row++;
    }
}

// A stream that cannot be read or names no zone leaves the file in doubt.
TEST(WebMark, EitherSourceMarksAndAFileInDoubtIsMarked) {
    using State = ZoneStream::State;
    const std::tuple<State, const char*, LocationZone, bool> cases[] = {
        {State::Read, "[ZoneTransfer]\r\nZoneId=4\r\nReferrerUrl=https://x.test/\r\n", 0, true},
        {State::Read, "[zonetransfer]\nzoneid = 03\n", std::nullopt, true},
        {State::Read, "\xEF\xBB\xBF[ZoneTransfer]\r\nZoneId=3", std::nullopt, true},
        {State::Read, "[ZoneTransfer]\r\nZoneId=1\r\n", std::nullopt, false},  // intranet
        {State::Read, "[ZoneTransfer]\r\nZoneId=2\r\n", 0, false},             // trusted sites
        {State::Read, "[ZoneTransfer]\r\nZoneId=0\r\n", 3, true},              // a share out there
        {State::Absent, "", 4, true},
        {State::Absent, "", 1, false},
        {State::Unreadable, "", 0, true},
        {State::Read, "[Other]\r\nZoneId=1\r\n", std::nullopt, true},
        {State::Read, "[ZoneTransfer]\r\nZoneId=99999999999\r\n", std::nullopt, true},
    };
    for (const auto& [state, text, location, marked] : cases)
        EXPECT_EQ(webMarked({state, text}, location), marked) << text << location.value_or(99);
    using namespace std::string_literals;  // UTF-16 with its byte-order mark
    EXPECT_EQ(
        zoneOfStream(
            "\xFF\xFE[\0Z\0o\0n\0e\0T\0r\0a\0n\0s\0f\0e\0r\0]\0\n\0Z\0o\0n\0e\0I\0d\0=\0\x31\0"s),
        1u);
}

}  // namespace
}  // namespace keyreel
