// What each command asks of the desktop.

#include "play_fixture.h"

namespace keyreel {
namespace {

using PlayerCommands = PlayFixture;

// The characters typed, in order, from a record.
std::string typed(const Events& events) {
    std::string text;
    for (const auto& e : events) {
        if (e.starts_with("type \""))
            text += e.substr(6, e.size() - 7);
        if (e == "key down 0x6B")
            text += "<+>";
    }
    return text;
}

TEST_F(PlayerCommands, SendTextTypesTheLineValueWithAPauseAfterEveryCharacter) {
    EXPECT_EQ(play({"SendText >a+b"}), (Events{"type \"a\"", "tick 1", "key down 0x6B",
                                               "key up 0x6B", "tick 1", "type \"b\"", "tick 1"}));

    desktop = SimulatedDesktop{};
    const Events skipped = play({"SendText >(100%)"});
    EXPECT_EQ(typed(skipped), "100");
    EXPECT_EQ(std::count(skipped.begin(), skipped.end(), "tick 1"), 6) << "skipped ones pause too";

    // The value follows the line-value rule; every other character is typed as itself.
    const std::pair<const char*, const char*> cases[] = {
        {"SendText >a>b", "b"},
        {"SendText", "SendText"},
        {"SendText >~^{}[]\x09\xC3\xA9\xE2\x82\xAC", "}[]\\t\xC3\xA9\xE2\x82\xAC"},
    };
    for (const auto& [line, text] : cases) {
        desktop = SimulatedDesktop{};
        EXPECT_EQ(typed(play({line})), text) << line;
    }
}

TEST_F(PlayerCommands, SendTextDropsTheRestWhenACharacterCannotBeTyped) {
    desktop.canType = [](char32_t c) { return c != 'x'; };
    const Events events = play({"SendText >abxcd Press_Tab"});
    EXPECT_EQ(typed(events), "ab");
    EXPECT_EQ(events.back(), "key up 0x09") << "the run goes on with the next word";
}

TEST_F(PlayerCommands, KeysTapHoldAndReleaseWithProcessingPointsBetween) {
    desktop.recordProcessingPoints = true;
    EXPECT_EQ(
        play({"Press_F12 Press_Caps Press_Caps", "Press_CTRL ALT_Down ALT_Up Release_CTRL",
              "Press_ALT"}),
        (Events{"key down 0x7B", "pump", "key up 0x7B", "key down 0x14", "pump", "key up 0x14",
                "key down 0x14", "pump", "key up 0x14", "key down 0x11", "pump", "key down 0x12",
                "pump", "key up 0x12", "pump", "key up 0x11", "pump", "alt-tap"}));

    desktop = SimulatedDesktop{};
    play({"Press_Shift", "SendText >abc"});
    EXPECT_EQ(desktop.events().front(), "key down 0x10");
    EXPECT_EQ(std::count(desktop.events().begin(), desktop.events().end(), "key up 0x10"), 0)
        << "a held Shift stays held after the run";
}

TEST_F(PlayerCommands, MouseMoveGoesToTheValuesPointAndIgnoresAnUnusableOne) {
    // How x and y are read is the point parser's, tested with it.
    EXPECT_EQ(play({"MouseMove > 1,2,3", "MouseMove >40000,1", "MouseMove", "LUp"}),
              (Events{"cursor 1,3", "mouse 0x04"}));
}

TEST_F(PlayerCommands, ButtonsSendTheirEventsAndDoubleClicksWaitOneTick) {
    desktop.recordProcessingPoints = true;
    EXPECT_EQ(
        play({"LClick RClick LDown LUp RDown RUp", "LDblClick", "RDblClick"}),
        (Events{"mouse 0x02", "mouse 0x04", "mouse 0x08", "mouse 0x10", "mouse 0x02", "mouse 0x04",
                "mouse 0x08", "mouse 0x10", "mouse 0x02", "mouse 0x04", "tick 10", "mouse 0x02",
                "mouse 0x04", "mouse 0x08", "mouse 0x10", "tick 10", "mouse 0x08", "mouse 0x10"}));
}

TEST_F(PlayerCommands, WaitWaitsFullSecondsAndIgnoresBadValues) {
    desktop.nowMillis = 36'000'900;  // 10:00:00.900
    play({"Wait >3"});
    EXPECT_EQ(desktop.nowMillis, 36'003'900) << "ends at 10:00:03.900";

    for (const char* line : {"Wait >abc", "Wait >0", "Wait >-4", "Wait", "Wait >3000000000"}) {
        desktop = SimulatedDesktop{};
        EXPECT_TRUE(play({line}).empty()) << line;
        EXPECT_EQ(desktop.nowMillis, 0) << line;
    }

    desktop = SimulatedDesktop{};
    EXPECT_EQ(play({"Wait > 2.5"}), (Events{"wait 2"})) << "half rounds to even";
}

TEST_F(PlayerCommands, ProgramsDocumentsAndMessages) {
    EXPECT_EQ(play({"RunProgram >notepad.exe C:\\a b.txt", "ExecuteFile >C:\\x.txt", "Message",
                    "MessageBox >Done > now"}),
              (Events{"run \"notepad.exe C:\\\\a b.txt\"", "open \"C:\\\\x.txt\"",
                      "message \"Message\" \"Tobrin's Keyreel\" -> ok",
                      "message \"now\" \"Tobrin's Keyreel\" -> ok"}));

    desktop = SimulatedDesktop{};
    desktop.startResult = StartResult::Failed;
    desktop.shellOpenWorks = false;
    EXPECT_EQ(
        play({"RunProgram >nothere.exe", "ExecuteFile >x", "Press_Tab"}),
        (Events{"run \"nothere.exe\"",
                "message \"File not found!\\rError 53\" \"Tobrin's Keyreel\" -> ok", "open \"x\"",
                "message \"File not found!\\rError 53\" \"Tobrin's Keyreel\" -> ok",
                "key down 0x09", "key up 0x09"}));

    desktop = SimulatedDesktop{};
    desktop.startResult = StartResult::InvalidCommandLine;
    EXPECT_EQ(play({"RunProgram >"}), (Events{"run \"\""}))
        << "an invalid command line says nothing";
}

TEST_F(PlayerCommands, TitleSearchIgnoresCaseMatchesAnyPartAndTakesTheTopmost) {
    desktop.windows = {"Untitled - Notepad", "Monthly Report 2", "REPORT archive"};
    play({"SetFocus >REPORT"});
    EXPECT_EQ(desktop.events(), (Events{"activate \"Monthly Report 2\" -> ok"}));
    EXPECT_EQ(state.focusTitle, "Monthly Report 2");
    EXPECT_EQ(state.closeTitle, "Monthly Report 2");

    desktop.windows = {"Untitled - Notepad", "Monthly Report 2"};
    play({"CloseWindow >notepad", "CloseWindow >Calculator"});
    EXPECT_EQ(desktop.events().back(), "close \"Untitled - Notepad\"");
    EXPECT_EQ(desktop.windows, (std::vector<std::string>{"Monthly Report 2"}));
    EXPECT_EQ(state.closeTitle, "Calculator") << "no match leaves the text as it was";
    play({"CloseWindow >"});
    EXPECT_EQ(desktop.windows.size(), 1u) << "a blank title closes nothing";
}

TEST_F(PlayerCommands, SetFocusOnAMissingWindowAsksWhetherToGoOn) {
    const char* question =
        "message \"Focus Lost from application. Continue?\" \"Tobrin's Keyreel\" -> ";
    EXPECT_EQ(play({"SetFocus >Nowhere", "Press_Tab"}),
              (Events{"activate \"Nowhere\" -> failed", std::string(question) + "yes",
                      "key down 0x09", "key up 0x09"}));

    desktop = SimulatedDesktop{};
    desktop.questionAnswer = MessageAnswer::No;
    EXPECT_EQ(play({"SetFocus >Nowhere Press_Enter", "Press_Tab"}),
              (Events{"activate \"Nowhere Press_Enter\" -> failed", std::string(question) + "no",
                      "key down 0x0D", "key up 0x0D"}))
        << "No ends the run before its next line";

    // A blank title selects no window, not the first one of the list.
    for (const char* line : {"SetFocus >", "SetFocus >  \t"}) {
        desktop = SimulatedDesktop{};
        desktop.windows = {"Hidden helper", "Untitled - Notepad"};
        EXPECT_EQ(play({line}), (Events{std::string(question) + "yes"})) << line;
    }
}

TEST_F(PlayerCommands, WaitForWindowPollsUntilTheWindowAppearsOrTheRunStops) {
    int polls = 0;
    desktop.recordProcessingPoints = true;
    desktop.atProcessingPoint = [&] {
        if (desktop.events().back() == "poll" && ++polls == 3)
            desktop.windows = {"Calc - Mine"};
    };
    EXPECT_EQ(play({"WaitForWindow >calc", "Press_Tab"}),
              (Events{"pump", "poll", "poll", "poll", "key down 0x09", "pump", "key up 0x09"}));
    EXPECT_EQ(state.focusTitle, "Calc - Mine");
    EXPECT_FALSE(state.windowFound);

    desktop = SimulatedDesktop{};
    polls = 0;
    desktop.atProcessingPoint = [&] {
        if (++polls == 5)
            state.stopRequested = true;
    };
    EXPECT_TRUE(play({"WaitForWindow >never", "Press_Tab"}).empty());
    EXPECT_EQ(polls, 5);
}

}  // namespace
}  // namespace keyreel
