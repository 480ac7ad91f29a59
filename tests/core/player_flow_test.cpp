// Lines, words, repeat blocks, loops, stopping and nested runs.

#include <algorithm>

#include "play_fixture.h"

namespace keyreel {
namespace {

constexpr const char* kTabDown = "key down 0x09";
constexpr const char* kTabUp = "key up 0x09";

class PlayerFlow : public PlayFixture {
  protected:
    // Only the key-down events: enough to see which keys played in which order.
    Events keysDown(const Events& events) {
        Events downs;
        for (const auto& e : events) {
            if (e.starts_with("key down"))
                downs.push_back(e.substr(9));
        }
        return downs;
    }
};

TEST_F(PlayerFlow, WordsAreCutAtEverySpaceAndComparedExactly) {
    EXPECT_EQ(keysDown(play({"Press_Shift Press_Home Release_Shift"})), (Events{"0x10", "0x24"}));
    EXPECT_EQ(desktop.events().back(), "key up 0x10");

    desktop = SimulatedDesktop{};
    EXPECT_EQ(keysDown(play({"press_enter", "Press_Enter ", "Press_Enter\t", "  Press_Tab"})),
              (Events{"0x0D", "0x09"}))
        << "a tab belongs to the word; spaces cut words, leading ones giving empty words";

    desktop = SimulatedDesktop{};
    EXPECT_TRUE(play({"Press_Pause", "Release_ALT", "hello world"}).empty());
}

TEST_F(PlayerFlow, CommandWordsInsideAValueRunAfterTheCommand) {
    const Events events = play({"SendText >Go Press_Enter"});
    ASSERT_GE(events.size(), 2u);
    EXPECT_EQ(events[events.size() - 2], "key down 0x0D");
    // Every character of the value, including the word itself, was typed first.
    EXPECT_EQ(std::count(events.begin(), events.end(), "tick 1"), 14);
}

TEST_F(PlayerFlow, RepeatPlaysTheBlockThatManyTimesInAll) {
    EXPECT_EQ(keysDown(play({"Repeat >3", "Press_Tab", "End_Repeat", "Press_Enter"})),
              (Events{"0x09", "0x09", "0x09", "0x0D"}));

    for (const char* count : {"Repeat >1", "Repeat >0", "Repeat >-2", "Repeat >abc", "Repeat"}) {
        desktop = SimulatedDesktop{};
        EXPECT_EQ(keysDown(play({count, "Press_Tab", "End_Repeat"})), (Events{"0x09"})) << count;
    }

    desktop = SimulatedDesktop{};
    EXPECT_EQ(keysDown(play({"Press_Up", "Repeat >2", "End_Repeat"})), (Events{"0x26"}));
}

TEST_F(PlayerFlow, RepeatBlocksDoNotNest) {
    // The inner Repeat replaces the outer one; its count 2 is never used.
    const Events keys = keysDown(play({"Repeat >2", "Press_Up", "Repeat >3", "Press_Tab",
                                       "End_Repeat", "Press_Enter", "End_Repeat"}));
    const Events pass = {"0x09", "0x09", "0x09", "0x0D"};
    Events expected = {"0x26"};
    for (int i = 0; i < 3; ++i)
        expected.insert(expected.end(), pass.begin(), pass.end());
    EXPECT_EQ(keys, expected);
}

TEST_F(PlayerFlow, RepeatStateOutlivesTheRun) {
    EXPECT_TRUE(keysDown(play({"Press_Tab", "End_Repeat"})).size() == 1)
        << "no Repeat since start: End_Repeat does nothing";

    play({"Press_Up", "Repeat >3"});
    EXPECT_EQ(state.repeatStart, 1);
    EXPECT_EQ(state.repeatCount, 3);

    desktop = SimulatedDesktop{};
    // Next run: End_Repeat at 3 replays lines 2..2 twice more with the old count.
    EXPECT_EQ(keysDown(play({"Press_Up", "Press_Up", "Press_Tab", "End_Repeat"})),
              (Events{"0x26", "0x26", "0x09", "0x09", "0x09"}));
}

TEST_F(PlayerFlow, EitherLineCountPlaysEveryLineOnce) {
    list = {"Press_Tab", "Press_Tab", "Press_Tab"};
    for (const std::int32_t count : {2, 3}) {
        desktop = SimulatedDesktop{};
        state.macroLineCount = count;
        state.stopRequested = false;
        player.runMacro();
        EXPECT_EQ(keysDown(desktop.events()).size(), 3u) << count;
    }
}

TEST_F(PlayerFlow, StopEndsThePlayAtTheNextCharacterLinePassOrSecond) {
    struct Case {
        Events lines;
        int stopAtPoint;  // Stop is pressed at this processing point
        Events played;
    };
    const Case cases[] = {
        // After "b": the rest of the text is dropped.
        {{"SendText >abcdef", "Press_Tab"}, 2, {"type \"a\"", "tick 1", "type \"b\"", "tick 1"}},
        // The wait's first wake-up: it ends within the second.
        {{"Wait >600", "Press_Tab"}, 1, {"wait 1"}},
        // Between Tab's down and up: the rest of the line plays.
        {{"Press_Tab Press_Up", "Press_Enter"},
         1,
         {"key down 0x09", "key up 0x09", "key down 0x26", "key up 0x26"}},
        // Tab of the second pass: that pass ends before its next line, and
        // no other starts.
        {{"Repeat >5", "Press_Tab", "Press_Up", "End_Repeat", "Press_Enter"},
         3,
         {"key down 0x09", "key up 0x09", "key down 0x26", "key up 0x26", "key down 0x09",
          "key up 0x09"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines.front());
        desktop = SimulatedDesktop{};
        int points = 0;
        desktop.atProcessingPoint = [&] {
            if (++points == c.stopAtPoint)
                state.stopRequested = true;
        };
        EXPECT_EQ(play(c.lines), c.played);
    }
}

TEST_F(PlayerFlow, LongBlocksWithoutPointsOfTheirOwnAnswerAndStop) {
    // Every few lines the player lets messages through when they are due;
    // the simulated desktop's time stands still, so each time they are.
    for (const char* line : {"not a command", "LClick"}) {
        SCOPED_TRACE(line);
        desktop = SimulatedDesktop{};
        int points = 0;
        desktop.atProcessingPoint = [&] {
            if (++points == 100)
                state.stopRequested = true;
        };
        const Events events = play({"Repeat >1000000", line, "End_Repeat"});
        EXPECT_EQ(points, 100);
        EXPECT_LT(std::count(events.begin(), events.end(), "mouse 0x02"), 10'000)
            << "a few thousand of the million";
    }
}

TEST_F(PlayerFlow, AStopBetweenRunsIsClearedByTheNextStart) {
    state.stopRequested = true;
    EXPECT_EQ(keysDown(play({"Press_Tab"})), (Events{"0x09"}));
}

TEST_F(PlayerFlow, LoopRestartsUntilStoppedWithoutGrowingTheStack) {
    int restarts = 0;
    desktop.recordProcessingPoints = true;
    desktop.atProcessingPoint = [&] {
        // The restart's own processing point makes a loop of moves stoppable.
        if (desktop.events().back() == "pump" && ++restarts == 100000)
            state.stopRequested = true;
    };
    const Events events = play({"MouseMove >1,2", "Loop", "Press_Tab"});
    EXPECT_EQ(restarts, 100000);
    EXPECT_EQ(std::count(events.begin(), events.end(), "cursor 1,2"), 100000);
    EXPECT_EQ(std::count(events.begin(), events.end(), kTabDown), 0);
}

TEST_F(PlayerFlow, LoopAbandonsTheRestOfItsLineAndRepeatPass) {
    int tabs = 0;
    desktop.atProcessingPoint = [&] {
        if (desktop.events().back() == kTabDown && ++tabs == 2)
            state.stopRequested = true;
    };
    // First round: Loop drops Press_Up and the rest of the block. Second
    // round: stopped, Loop does nothing and Press_Up plays; then the run ends.
    const Events keys =
        keysDown(play({"Repeat >3", "Press_Tab Loop Press_Up", "Press_Enter", "End_Repeat"}));
    EXPECT_EQ(keys, (Events{"0x09", "0x09", "0x26"}));
}

TEST_F(PlayerFlow, ANestedRunPlaysFromTheTopAndTheOuterRunGoesOn) {
    bool nested = false;
    desktop.atProcessingPoint = [&] {
        if (nested)
            return;
        nested = true;  // a second Run press during the outer run's wait
        state.macroLineCount = static_cast<std::int32_t>(list.size());
        state.stopRequested = false;
        player.runMacro();
    };
    const Events events = play({"Wait >1", "Press_Tab"});
    EXPECT_TRUE(nested);
    EXPECT_EQ(keysDown(events), (Events{"0x09", "0x09"}));
    EXPECT_EQ(events.front(), "wait 1") << "the outer wait ended with the inner one";
}

TEST_F(PlayerFlow, ANestedRunThatReplacesTheListIsReadSafely) {
    desktop.atProcessingPoint = [&] {
        if (list.size() == 3) {
            list = {"Press_Up"};
            state.macroLineCount = 1;
            state.stopRequested = false;
            player.runMacro();
        }
    };
    // The outer run reads past the new end as empty lines and ends normally.
    const Events keys = keysDown(play({"Press_Tab", "Press_Enter", "Press_End"}));
    EXPECT_EQ(keys, (Events{"0x09", "0x26"}));
}

TEST_F(PlayerFlow, TheRestOfALineStillPlaysWhenANestedRunReplacesTheList) {
    // Short lines are copied into the player's frame, long ones elsewhere.
    std::string padding;
    for (int word = 0; word < 30; ++word)
        padding += " padding";
    for (const std::string& line :
         {std::string("Press_Tab Press_Up"), "Press_Tab" + padding + " Press_Up"}) {
        SCOPED_TRACE(line.size());
        desktop = SimulatedDesktop();
        desktop.atProcessingPoint = [&] {
            if (list.size() == 1 && list[0] == line) {
                list = {"Press_End", "x"};
                state.macroLineCount = 2;
                player.runMacro();
            }
        };
        EXPECT_EQ(keysDown(play({line})), (Events{"0x09", "0x23", "0x26"}));
    }
}

}  // namespace
}  // namespace keyreel
