// The player on a simulated desktop: lines and words, repeat blocks, loops,
// stopping, nested runs, what each command asks of the desktop, and waits.

#include <gtest/gtest.h>

#include <utility>

#include <algorithm>

#include "core/macro/player.h"
#include "core/macro/simulated_desktop.h"
#include "core/macro/whole_second_wait.h"

namespace keyreel {
namespace {

using Events = std::vector<std::string>;

class Play : public ::testing::Test {
  protected:
    // Loads the lines as a file load does and returns what reached the desktop.
    Events play(std::vector<std::string> lines) {
        list = std::move(lines);
        state.macroLineCount = static_cast<std::int32_t>(list.size());
        state.stopRequested = false;
        player.runMacro();
        return desktop.events();
    }
    // The keys pressed, in order.
    Events keysDown(std::vector<std::string> lines) {
        Events downs;
        for (const auto& e : play(std::move(lines))) {
            if (e.starts_with("key down"))
                downs.push_back(e.substr(9));
        }
        return downs;
    }
    // The characters typed, in order.
    std::string typed(std::vector<std::string> lines) {
        std::string text;
        for (const auto& e : play(std::move(lines))) {
            if (e.starts_with("type \""))
                text += e.substr(6, e.size() - 7);
        }
        return text;
    }
    // Stop is pressed at processing point `at`.
    void stopAt(int at) {
        desktop.atProcessingPoint = [this, at, points = 0]() mutable {
            if (++points == at)
                state.stopRequested = true;
        };
    }

    MacroList list;
    RunState state;
    SimulatedDesktop desktop;
    Player player{list, state, desktop};
};

TEST_F(Play, WordsAreCutAtEverySpaceAndValueWordsRunAfterTheirCommand) {
    EXPECT_EQ(keysDown({"press_enter", "Press_Enter ", "Press_Enter\t", "  Press_Tab",
                        "Press_Pause", "hello world"}),
              (Events{"0x0D", "0x09"}))
        << "compared exactly; a tab belongs to the word";
    desktop = SimulatedDesktop{};
    const Events events = play({"SendText >Go Press_Enter"});
    EXPECT_EQ(events[events.size() - 2], "key down 0x0D");
    EXPECT_EQ(std::count(events.begin(), events.end(), "tick 1"), 14) << "the whole value first";
}

TEST_F(Play, RepeatPlaysItsBlockThatManyTimesDoesNotNestAndOutlivesTheRun) {
    const std::pair<std::vector<std::string>, Events> cases[] = {
        {{"Repeat >3", "Press_Tab", "End_Repeat", "Press_Enter"}, {"0x09", "0x09", "0x09", "0x0D"}},
        {{"Repeat >-2", "Press_Tab", "End_Repeat"}, {"0x09"}},
        {{"Repeat >abc", "Press_Tab", "End_Repeat"}, {"0x09"}},
        // The inner Repeat replaces the outer one.
        {{"Repeat >2", "Press_Up", "Repeat >3", "Press_Tab", "End_Repeat", "Press_Enter",
          "End_Repeat"},
         {"0x26", "0x09", "0x09", "0x09", "0x0D", "0x09", "0x09", "0x09", "0x0D", "0x09", "0x09",
          "0x09", "0x0D"}},
        {{"Press_Up", "Repeat >3"}, {"0x26"}},
        // The next run's End_Repeat at 3 replays line 2 with the old count.
        {{"Press_Up", "Press_Up", "Press_Tab", "End_Repeat"},
         {"0x26", "0x26", "0x09", "0x09", "0x09"}},
    };
    for (const auto& [lines, keys] : cases) {
        desktop = SimulatedDesktop{};
        EXPECT_EQ(keysDown(lines), keys) << lines[0] << " " << lines[1];
    }
}

TEST_F(Play, StopEndsThePlayAtTheNextCharacterLinePassOrSecond) {
    const std::tuple<Events, int, Events> cases[] = {
        {{"SendText >abcdef", "Press_Tab"}, 2, {"type \"a\"", "tick 1", "type \"b\"", "tick 1"}},
        {{"Wait >600", "Press_Tab"}, 1, {"wait 1"}},
        // Between Tab's down and up: the rest of the line plays.
        {{"Press_Tab Press_Up", "Press_Enter"},
         1,
         {"key down 0x09", "key up 0x09", "key down 0x26", "key up 0x26"}},
        // In the second pass: that pass ends before its next line.
        {{"Repeat >5", "Press_Tab", "Press_Up", "End_Repeat", "Press_Enter"},
         3,
         {"key down 0x09", "key up 0x09", "key down 0x26", "key up 0x26", "key down 0x09",
          "key up 0x09"}},
    };
    for (const auto& [lines, at, played] : cases) {
        desktop = SimulatedDesktop{};
        stopAt(at);
        EXPECT_EQ(play(lines), played) << lines.front();
    }
}

TEST_F(Play, LoopRestartsUntilStoppedWithoutGrowingTheStackAndAbandonsItsPass) {
    int restarts = 0;
    desktop.recordProcessingPoints = true;
    desktop.atProcessingPoint = [&] {
        if (desktop.events().back() == "pump" && ++restarts == 100000)
            state.stopRequested = true;
    };
    const Events events = play({"MouseMove >1,2", "Loop", "Press_Tab"});
    EXPECT_EQ(std::count(events.begin(), events.end(), "cursor 1,2"), 100000);

    // Loop drops Press_Up and the rest of the block; once stopped it does nothing.
    desktop = SimulatedDesktop{};
    int tabs = 0;
    desktop.atProcessingPoint = [&] {
        if (desktop.events().back() == "key down 0x09" && ++tabs == 2)
            state.stopRequested = true;
    };
    EXPECT_EQ(keysDown({"Repeat >3", "Press_Tab Loop Press_Up", "Press_Enter", "End_Repeat"}),
              (Events{"0x09", "0x09", "0x26"}));
}

TEST_F(Play, ANestedRunPlaysFromTheTopAndTheOuterRunGoesOnWhateverItReplaced) {
    desktop.atProcessingPoint = [&, once = true]() mutable {
        if (!std::exchange(once, false))
            return;
        state.stopRequested = false;
        player.runMacro();
    };
    const Events events = play({"Wait >1", "Press_Tab"});
    EXPECT_EQ(events,
              (Events{"wait 1", "key down 0x09", "key up 0x09", "key down 0x09", "key up 0x09"}));
    // The rest of a line still plays when a nested run replaces the list.
    desktop = SimulatedDesktop();
    desktop.atProcessingPoint = [&, once = true]() mutable {
        if (!std::exchange(once, false))
            return;
        list = {"Press_End", "x"};
        state.macroLineCount = 2;
        player.runMacro();
    };
    EXPECT_EQ(keysDown({"Press_Tab Press_Up"}), (Events{"0x09", "0x23", "0x26"}));
}

TEST_F(Play, SendTextTypesTheValueWithAPauseAfterEveryCharacterUntilOneFails) {
    EXPECT_EQ(play({"SendText >a+b"}), (Events{"type \"a\"", "tick 1", "key down 0x6B",
                                               "key up 0x6B", "tick 1", "type \"b\"", "tick 1"}));
    const std::pair<const char*, const char*> cases[] = {
        {"SendText >(100%)", "100"},
        {"SendText", "SendText"},
        {"SendText >~^{}[]\x09\xC3\xA9", "}[]\\t\xC3\xA9"},
        {"SendText >abqcd", "ab"},
    };
    for (const auto& [line, text] : cases) {
        desktop = SimulatedDesktop{};
        desktop.canType = [](char32_t c) { return c != 'q'; };
        EXPECT_EQ(typed({line}), text) << line;
    }
}

TEST_F(Play, KeysButtonsAndThePointerWithProcessingPointsBetween) {
    desktop.recordProcessingPoints = true;
    EXPECT_EQ(
        play({"Press_F12 Press_CTRL ALT_Down ALT_Up Release_CTRL", "Press_ALT", "MouseMove > 1,2,3",
              "MouseMove >40000,1", "LClick", "RDblClick"}),
        (Events{"key down 0x7B", "pump",       "key up 0x7B", "key down 0x11", "pump",
                "key down 0x12", "pump",       "key up 0x12", "pump",          "key up 0x11",
                "pump",          "alt-tap",    "cursor 1,3",  "mouse 0x02",    "mouse 0x04",
                "mouse 0x08",    "mouse 0x10", "tick 10",     "mouse 0x08",    "mouse 0x10"}));
}

TEST_F(Play, ProgramsDocumentsAndMessages) {
    desktop.startResult = StartResult::Failed;
    desktop.shellOpenWorks = false;
    EXPECT_EQ(
        play({"RunProgram >nothere.exe C:\\a b.txt", "ExecuteFile >x", "MessageBox >Done > now"}),
        (Events{"run \"nothere.exe C:\\\\a b.txt\"",
                "message \"File not found!\\rError 53\" \"Tobrin's Keyreel\" -> ok", "open \"x\"",
                "message \"File not found!\\rError 53\" \"Tobrin's Keyreel\" -> ok",
                "message \"now\" \"Tobrin's Keyreel\" -> ok"}));
    desktop = SimulatedDesktop{};
    desktop.startResult = StartResult::InvalidCommandLine;
    EXPECT_EQ(play({"RunProgram >"}), (Events{"run \"\""}))
        << "an invalid command line says nothing";
}

TEST_F(Play, WindowsAreFoundByAnyPartOfTheirTitleIgnoringCaseTopmostFirst) {
    const char* question =
        "message \"Focus Lost from application. Continue?\" \"Tobrin's Keyreel\" -> ";
    desktop.windows = {"Untitled - Notepad", "Monthly Report 2", "REPORT archive"};
    play({"SetFocus >REPORT", "CloseWindow >notepad", "CloseWindow >Calculator"});
    EXPECT_EQ(desktop.events(),
              (Events{"activate \"Monthly Report 2\" -> ok", "close \"Untitled - Notepad\""}));
    EXPECT_EQ(state.focusTitle, "Monthly Report 2");
    EXPECT_EQ(state.closeTitle, "Calculator") << "no match leaves the text as it was";

    desktop = SimulatedDesktop{};
    desktop.questionAnswer = MessageAnswer::No;
    EXPECT_EQ(play({"SetFocus >  \t", "Press_Tab"}), (Events{std::string(question) + "no"}))
        << "a blank title selects no window; No ends the run before its next line";
}

TEST_F(Play, WaitForWindowPollsUntilTheWindowAppearsOrTheRunStops) {
    int polls = 0;
    desktop.recordProcessingPoints = true;
    desktop.atProcessingPoint = [&] {
        if (desktop.events().back() == "poll" && ++polls == 3)
            desktop.windows = {"Calc - Mine"};
    };
    EXPECT_EQ(play({"WaitForWindow >calc", "Press_Tab"}),
              (Events{"pump", "poll", "poll", "poll", "key down 0x09", "pump", "key up 0x09"}));
    EXPECT_EQ(state.focusTitle, "Calc - Mine");
    desktop = SimulatedDesktop{};
    stopAt(5);
    EXPECT_TRUE(play({"WaitForWindow >never", "Press_Tab"}).empty());
}

// A clock that the user sets back by an hour at the second wake-up.
struct SetBackClock : SimulatedDesktop {
    std::int64_t setBack = 0;
    void waitForMessages(std::int64_t deadline) override {
        SimulatedDesktop::waitForMessages(deadline + setBack);
    }
    std::int64_t localTimeMillis() override { return nowMillis - setBack; }
};

TEST_F(Play, WaitWaitsWholeSecondsWhateverTheClockDoes) {
    desktop.nowMillis = 36'000'900;
    play({"Wait >3", "Wait > 2.5", "Wait >abc", "Wait >0", "Wait >3000000000"});
    EXPECT_EQ(desktop.events(), (Events{"wait 3", "wait 2"})) << "half rounds to even";
    EXPECT_EQ(desktop.nowMillis, 36'005'900);

    SetBackClock clock;
    int wakeUps = 0;
    clock.atProcessingPoint = [&] { clock.setBack = ++wakeUps >= 2 ? 3'600'000 : 0; };
    waitSeconds(clock, 3, [] { return true; });
    EXPECT_LE(clock.nowMillis, 4'000) << "not an hour and three seconds";

    // Across midnight, counting each second, and cancelled after three.
    const std::int64_t day = 86'400'000;
    desktop = SimulatedDesktop{};
    desktop.nowMillis = day - 2'000 + 400;
    std::vector<std::int64_t> seen;
    waitWholeSeconds(desktop, 5, {}, [&](std::int64_t elapsed) { seen.push_back(elapsed); });
    EXPECT_EQ(desktop.nowMillis, day + 3'000);
    EXPECT_EQ(seen, (std::vector<std::int64_t>{1, 2, 3, 4, 5}));
    wakeUps = 0;
    desktop.atProcessingPoint = [&] { ++wakeUps; };
    waitWholeSeconds(desktop, 10, [&] { return wakeUps < 3; });
    EXPECT_EQ(desktop.nowMillis, day + 6'000);
}

}  // namespace
}  // namespace keyreel
