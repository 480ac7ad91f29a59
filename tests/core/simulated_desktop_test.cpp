// The simulated desktop the trace tool prints and the player tests read: its
// record lines, simulated time, windows, waits, scripted processing points
// and the limits that stop a run which would not end.

#include "core/macro/simulated_desktop.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/macro/whole_second_wait.h"

namespace keyreel {
namespace {

using Events = std::vector<std::string>;
using Limit = SimulatedDesktop::Limit;

struct RequestCase {
    const char* line;
    std::int64_t advancedMillis;
    bool processingPoint;
    std::function<void(SimulatedDesktop&)> request;
};

TEST(SimulatedDesktop, RecordsEachRequestAsOneLineAndKeepsTime) {
    const MessageRequest okBox{"Done", "Keyreel"};
    const MessageRequest question{"Go on?", "Keyreel", MessageButtons::YesNo};
    const RequestCase cases[] = {
        {"key down 0x10", 0, false, [](auto& d) { d.keyEvent(0x10, false); }},
        {"key up 0xA5", 0, false, [](auto& d) { d.keyEvent(0xA5, true); }},
        {"type \"\xC3\xA9\"", 0, false, [](auto& d) { d.typeCharacter(U'\u00E9'); }},
        {"type \"\\\"\"", 0, false, [](auto& d) { d.typeCharacter(U'"'); }},
        {"alt-tap", 0, false, [](auto& d) { d.tapAlt(); }},
        {"cursor -5,200", 0, false, [](auto& d) { d.moveCursor(-5, 200); }},
        {"mouse 0x04", 0, false, [](auto& d) { d.mouseButton(0x04); }},
        {"run \"notepad.exe a.txt\"", 0, false,
         [](auto& d) { d.startProgram("notepad.exe a.txt"); }},
        {"open \"/tmp/a b.txt\"", 0, false, [](auto& d) { d.shellOpen("/tmp/a b.txt"); }},
        {"message \"Done\" \"Keyreel\" -> ok", 0, true, [&](auto& d) { d.showMessage(okBox); }},
        {"message \"Go on?\" \"Keyreel\" -> yes", 0, true,
         [&](auto& d) { d.showMessage(question); }},
        {"tick 1", 1, true, [](auto& d) { d.typingPause(); }},
        {"tick 10", 10, true, [](auto& d) { d.doubleClickGap(); }},
        {"", 0, true, [](auto& d) { d.processPendingMessages(); }},
        {"", 10, true, [](auto& d) { d.pauseBeforeNextPoll(); }},
    };
    for (const RequestCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << &c - cases);
        SimulatedDesktop desktop;
        desktop.nowMillis = 5'000;
        int points = 0;
        desktop.atProcessingPoint = [&] { ++points; };
        c.request(desktop);
        const Events expected = *c.line ? Events{c.line} : Events{};
        EXPECT_EQ(desktop.events(), expected);
        EXPECT_EQ(desktop.localTimeMillis(), 5'000 + c.advancedMillis);
        EXPECT_EQ(points, c.processingPoint ? 1 : 0);
    }
}

TEST(SimulatedDesktop, AnswersAsConfigured) {
    SimulatedDesktop desktop;
    desktop.questionAnswer = MessageAnswer::No;
    desktop.canType = [](char32_t c) { return c != U'\u20AC'; };

    EXPECT_EQ(desktop.showMessage({"Go on?", "K", MessageButtons::YesNo}), MessageAnswer::No);
    EXPECT_EQ(desktop.showMessage({"Done", "K"}), MessageAnswer::Ok) << "an OK box asks nothing";
    EXPECT_TRUE(desktop.typeCharacter(U'e'));
    EXPECT_FALSE(desktop.typeCharacter(U'\u20AC'));
    EXPECT_EQ(desktop.events(),
              (Events{"message \"Go on?\" \"K\" -> no", "message \"Done\" \"K\" -> ok",
                      "type \"e\"", "type-failed"}));

    // Scripted answers go first, one per question; OK boxes take none.
    desktop.answers = {MessageAnswer::Cancel, MessageAnswer::Yes};
    const MessageRequest save{"Save?", "K", MessageButtons::YesNoCancel};
    EXPECT_EQ(desktop.showMessage(save), MessageAnswer::Cancel);
    EXPECT_EQ(desktop.showMessage({"Done", "K"}), MessageAnswer::Ok);
    EXPECT_EQ(desktop.showMessage(save), MessageAnswer::Yes);
    EXPECT_EQ(desktop.showMessage(save), MessageAnswer::No) << "then questionAnswer again";
}

TEST(SimulatedDesktop, ActivationAndCloseFindTheWholeTitleIgnoringCase) {
    SimulatedDesktop desktop;
    desktop.windows = {"Calculator", "Untitled - Notepad", "Notes"};

    EXPECT_TRUE(desktop.activateWindow("untitled - NOTEPAD"));
    EXPECT_EQ(desktop.windowTitles(), (Events{"Untitled - Notepad", "Calculator", "Notes"}))
        << "the activated window comes to the top";
    EXPECT_FALSE(desktop.activateWindow("Notepad")) << "part of a title is not enough";
    EXPECT_EQ(desktop.windows.front(), "Untitled - Notepad");

    EXPECT_TRUE(desktop.closeWindow("notes"));
    EXPECT_FALSE(desktop.closeWindow("Note"));
    EXPECT_FALSE(desktop.closeWindow("notes")) << "closed windows are gone";
    EXPECT_EQ(desktop.windows, (Events{"Untitled - Notepad", "Calculator"}));

    // A failed close asks nothing visible; a close names the window's own title.
    EXPECT_EQ(desktop.events(), (Events{"activate \"untitled - NOTEPAD\" -> ok",
                                        "activate \"Notepad\" -> failed", "close \"Notes\""}));
}

TEST(SimulatedDesktop, EveryWholeSecondWaitIsALineOfItsOwn) {
    SimulatedDesktop desktop;
    desktop.nowMillis = 400;  // a wait that begins inside a second
    waitWholeSeconds(desktop, 3);
    waitWholeSeconds(desktop, 2);
    waitWholeSeconds(desktop, 0);
    waitWholeSeconds(desktop, -1);
    EXPECT_EQ(desktop.events(), (Events{"wait 3", "wait 2"}));
    EXPECT_EQ(desktop.nowMillis, 5'000);

    // A wait ended early says how long it really waited.
    int wakeUps = 0;
    desktop.atProcessingPoint = [&] { ++wakeUps; };
    waitWholeSeconds(desktop, 10, [&] { return wakeUps < 2; });
    EXPECT_EQ(desktop.events(), (Events{"wait 3", "wait 2", "wait 2"}));
}

TEST(SimulatedDesktop, ALineDuringAWaitSplitsItsLine) {
    SimulatedDesktop desktop;
    int wakeUps = 0;
    desktop.atProcessingPoint = [&] {
        ++wakeUps;
        if (wakeUps == 2) {
            desktop.keyEvent(0x09, false);
        } else if (wakeUps == 3) {
            EXPECT_EQ(desktop.events().size(), 2u) << "the rest of the wait is not over yet";
        }
    };
    waitWholeSeconds(desktop, 3);
    EXPECT_EQ(desktop.events(), (Events{"wait 1", "key down 0x09", "wait 2"}));
}

// Runs `request` `count` times.
void repeat(int count, const std::function<void()>& request) {
    for (int i = 0; i < count; ++i)
        request();
}

TEST(SimulatedDesktop, TheLineLimitEndsTheRecord) {
    SimulatedDesktop desktop;
    desktop.windows = {"A", "B"};
    desktop.lineLimit = 3;
    std::vector<std::pair<Limit, std::size_t>> reached;
    desktop.onLimit = [&](Limit limit) { reached.emplace_back(limit, desktop.events().size()); };

    repeat(3, [&] { desktop.keyEvent(0x09, false); });
    EXPECT_TRUE(reached.empty()) << "a run of exactly the limit is not stopped";
    desktop.moveCursor(1, 1);
    EXPECT_TRUE(desktop.activateWindow("B")) << "requests are still answered";
    waitWholeSeconds(desktop, 1);
    EXPECT_EQ(desktop.events(), Events(3, "key down 0x09"));
    EXPECT_EQ(reached, (std::vector<std::pair<Limit, std::size_t>>{{Limit::Lines, 3}}));
    EXPECT_EQ(desktop.windows.front(), "B");

    // Wait lines count as lines.
    SimulatedDesktop waits;
    waits.lineLimit = 1;
    int calls = 0;
    waits.onLimit = [&](Limit) { ++calls; };
    waitWholeSeconds(waits, 1);
    waitWholeSeconds(waits, 1);
    EXPECT_EQ(waits.events(), (Events{"wait 1"}));
    EXPECT_EQ(calls, 1);
}

TEST(SimulatedDesktop, TheQuietStepLimitCountsPumpsAndPollsInARowWithoutALine) {
    SimulatedDesktop desktop;
    desktop.quietStepLimit = 5;
    std::optional<Limit> reached;
    int calls = 0;
    desktop.onLimit = [&](Limit limit) {
        reached = limit;
        ++calls;
    };

    waitWholeSeconds(desktop, 30);  // a wait's wake-ups are time, not steps
    repeat(4, [&] { desktop.processPendingMessages(); });
    desktop.mouseButton(0x02);  // a line starts the count afresh
    repeat(4, [&] { desktop.pauseBeforeNextPoll(); });
    EXPECT_FALSE(reached);

    desktop.pauseBeforeNextPoll();
    EXPECT_EQ(reached, Limit::QuietSteps);
    desktop.keyEvent(0x0D, false);
    repeat(10, [&] { desktop.processPendingMessages(); });
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(desktop.events(), (Events{"wait 30", "mouse 0x02"})) << "nothing recorded after it";

    // Recorded processing points are lines: they count against the line limit.
    SimulatedDesktop recorded;
    recorded.recordProcessingPoints = true;
    recorded.quietStepLimit = 2;
    recorded.lineLimit = 4;
    std::optional<Limit> recordedLimit;
    recorded.onLimit = [&](Limit limit) { recordedLimit = limit; };
    repeat(5, [&] { recorded.processPendingMessages(); });
    EXPECT_EQ(recordedLimit, Limit::Lines);
    EXPECT_EQ(recorded.events().size(), 4u);
}

}  // namespace
}  // namespace keyreel
