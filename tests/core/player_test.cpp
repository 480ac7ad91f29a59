// The player on a simulated desktop, and where it finds the programs and documents it starts.

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "core/base/text.h"
#include "core/macro/player.h"
#include "core/macro/program_search.h"
#include "core/macro/simulated_desktop.h"
#include "core/macro/whole_second_wait.h"

namespace keyreel {
namespace {

using Events = std::vector<std::string>;

// The desktop's events joined by " | ", or only the key codes pressed, by spaces.
std::string joined(const Events& events, bool keysOnly = false) {
    std::string text;
    for (const std::string& e : events) {
        if (!keysOnly || e.starts_with("key down 0x"))
            text += (text.empty() ? "" : keysOnly ? " " : " | ") + e.substr(keysOnly ? 11 : 0);
    }
    return text;
}

class Play : public ::testing::Test {
  protected:
    std::string play(std::vector<std::string> lines, bool keysOnly = false) {
        list = std::move(lines);
        state.macroLineCount = static_cast<std::int32_t>(list.size());
        state.stopRequested = false;
        player.runMacro();
        return joined(desktop.events(), keysOnly);
    }
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
    EXPECT_EQ(play({"press_enter", "Press_Enter ", "Press_Enter\t", "  Press_Tab", "Press_Pause",
                    "hello world"},
                   true),
              "0D 09")
        << "compared exactly; a tab belongs to the word";
    desktop = SimulatedDesktop{};
    play({"SendText >Go Press_Enter"});
    const Events& events = desktop.events();
    EXPECT_EQ(events[events.size() - 2], "key down 0x0D");
    EXPECT_EQ(std::count(events.begin(), events.end(), "tick 1"), 14) << "the whole value first";
}

TEST_F(Play, RepeatPlaysItsBlockThatManyTimesDoesNotNestAndOutlivesTheRun) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"Repeat >3", "Press_Tab", "End_Repeat", "Press_Enter"}, "09 09 09 0D"},
        {{"Repeat >-2", "Press_Tab", "End_Repeat"}, "09"},
        {{"Repeat >abc", "Press_Tab", "End_Repeat"}, "09"},
        // The inner Repeat replaces the outer one.
        {{"Repeat >2", "Press_Up", "Repeat >3", "Press_Tab", "End_Repeat", "Press_Enter",
          "End_Repeat"},
         "26 09 09 09 0D 09 09 09 0D 09 09 09 0D"},
        {{"Press_Up", "Repeat >3"}, "26"},
        // The next run's End_Repeat at 3 replays line 2 with the old count.
        {{"Press_Up", "Press_Up", "Press_Tab", "End_Repeat"}, "26 26 09 09 09"},
    };
    for (const auto& [lines, expected] : cases) {
        desktop = SimulatedDesktop{};
        EXPECT_EQ(play(lines, true), expected) << lines[0] << " " << lines[1];
    }
}

TEST_F(Play, StopEndsThePlayAtTheNextCharacterLinePassOrSecond) {
    const std::tuple<Events, int, const char*> cases[] = {
        {{"SendText >abcdef", "Press_Tab"}, 2, "type \"a\" | tick 1 | type \"b\" | tick 1"},
        {{"Wait >600", "Press_Tab"}, 1, "wait 1"},
        // Between Tab's down and up: the rest of the line plays.
        {{"Press_Tab Press_Up", "Press_Enter"},
         1,
         "key down 0x09 | key up 0x09 | key down 0x26 | key up 0x26"},
        // In the second pass: that pass ends before its next line.
        {{"Repeat >5", "Press_Tab", "Press_Up", "End_Repeat", "Press_Enter"},
         3,
         "key down 0x09 | key up 0x09 | key down 0x26 | key up 0x26 | key down 0x09 | key up 0x09"},
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
    play({"MouseMove >1,2", "Loop", "Press_Tab"});
    EXPECT_EQ(std::count(desktop.events().begin(), desktop.events().end(), "cursor 1,2"), 100000);

    // Loop drops Press_Up and the rest of the block; once stopped it does nothing.
    desktop = SimulatedDesktop{};
    int tabs = 0;
    desktop.atProcessingPoint = [&] {
        if (desktop.events().back() == "key down 0x09" && ++tabs == 2)
            state.stopRequested = true;
    };
    EXPECT_EQ(play({"Repeat >3", "Press_Tab Loop Press_Up", "Press_Enter", "End_Repeat"}, true),
              "09 09 26");
}

TEST_F(Play, ANestedRunPlaysFromTheTopAndTheOuterRunGoesOnWhateverItReplaced) {
    const auto nestOnce = [&](MacroList nested) {
        desktop = SimulatedDesktop{};
        desktop.atProcessingPoint = [&, nested, once = true]() mutable {
            if (!std::exchange(once, false))
                return;
            if (!nested.empty()) {
                list = nested;
                state.macroLineCount = static_cast<std::int32_t>(list.size());
            }
            state.stopRequested = false;
            player.runMacro();
        };
    };
    nestOnce({});
    EXPECT_EQ(play({"Wait >1", "Press_Tab"}, true), "09 09");
    nestOnce({"Press_End", "x"});  // the rest of the line plays from the new list
    EXPECT_EQ(play({"Press_Tab Press_Up"}, true), "09 23 26");
}

TEST_F(Play, SendTextTypesTheValueWithAPauseAfterEveryCharacterUntilOneFails) {
    EXPECT_EQ(play({"SendText >a+b"}),
              "type \"a\" | tick 1 | key down 0x6B | key up 0x6B | tick 1 | type \"b\" | tick 1");
    const std::pair<const char*, const char*> cases[] = {
        {"SendText >(100%)", "100"},
        {"SendText", "SendText"},
        {"SendText >~^{}[]\x09\xC3\xA9", "}[]\\t\xC3\xA9"},
        {"SendText >abqcd", "ab"}};
    for (const auto& [line, text] : cases) {
        desktop = SimulatedDesktop{};
        desktop.canType = [](char32_t c) { return c != 'q'; };
        play({line});
        std::string typed;
        for (const auto& e : desktop.events())
            typed += e.starts_with("type \"") ? e.substr(6, e.size() - 7) : "";
        EXPECT_EQ(typed, text) << line;
    }
}

TEST_F(Play, KeysButtonsAndThePointerWithProcessingPointsBetween) {
    desktop.recordProcessingPoints = true;
    EXPECT_EQ(play({"Press_F12 Press_CTRL ALT_Down ALT_Up Release_CTRL", "Press_ALT",
                    "MouseMove > 1,2,3", "MouseMove >40000,1", "LClick", "RDblClick"}),
              "key down 0x7B | pump | key up 0x7B | key down 0x11 | pump | key down 0x12 | pump | "
              "key up 0x12 | pump | key up 0x11 | pump | alt-tap | cursor 1,3 | mouse 0x02 | "
              "mouse 0x04 | mouse 0x08 | mouse 0x10 | tick 10 | mouse 0x08 | mouse 0x10");
}

TEST_F(Play, ProgramsDocumentsAndMessages) {
    const std::string notFound =
        "message \"File not found!\\rError 53\" \"Tobrin's Keyreel\" -> ok";
    desktop.startResult = StartResult::Failed;
    desktop.shellOpenWorks = false;
    EXPECT_EQ(
        play({"RunProgram >nothere.exe C:\\a b.txt", "ExecuteFile >x", "MessageBox >Done > now"}),
        "run \"nothere.exe C:\\\\a b.txt\" | " + notFound + " | open \"x\" | " + notFound +
            " | message \"now\" \"Tobrin's Keyreel\" -> ok");
    desktop = SimulatedDesktop{};
    desktop.startResult = StartResult::InvalidCommandLine;
    EXPECT_EQ(play({"RunProgram >"}), "run \"\"") << "an invalid command line says nothing";
}

TEST_F(Play, WindowsAreFoundByAnyPartOfTheirTitleIgnoringCaseTopmostFirst) {
    desktop.windows = {"Untitled - Notepad", "Monthly Report 2", "REPORT archive"};
    EXPECT_EQ(play({"SetFocus >REPORT", "CloseWindow >notepad", "CloseWindow >Calculator"}),
              "activate \"Monthly Report 2\" -> ok | close \"Untitled - Notepad\"");
    EXPECT_EQ(state.focusTitle, "Monthly Report 2");
    EXPECT_EQ(state.closeTitle, "Calculator") << "no match leaves the text as it was";

    desktop = SimulatedDesktop{};
    desktop.questionAnswer = MessageAnswer::No;
    EXPECT_EQ(play({"SetFocus >  \t", "Press_Tab"}),
              "message \"Focus Lost from application. Continue?\" \"Tobrin's Keyreel\" -> no")
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
              "pump | poll | poll | poll | key down 0x09 | pump | key up 0x09");
    EXPECT_EQ(state.focusTitle, "Calc - Mine");
    desktop = SimulatedDesktop{};
    stopAt(5);
    EXPECT_EQ(play({"WaitForWindow >never", "Press_Tab"}), "");
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
    EXPECT_EQ(play({"Wait >3", "Wait > 2.5", "Wait >abc", "Wait >0", "Wait >3000000000"}),
              "wait 3 | wait 2")
        << "half rounds to even";
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

// The program unpacked in Downloads, with programs planted to catch a wrong search.
class ProgramSearch : public ::testing::Test {
  protected:
    ProgramSearch() {
        places.systemFolder = "C:\\Windows\\System32";
        places.windowsFolder = "C:\\Windows";
        places.path = "C:\\Tools;.;bin;;\"C:\\Quoted Dir\"; C:\\Windows\\System32\\";
        places.programFolder = "C:\\Users\\u\\Downloads\\Keyreel\\";
        places.isFile = [this](const std::string& path) {
            asked.push_back(path);
            return files.find('|' + toLowerForSearch(path) + '|') != std::string::npos;
        };
    }

    // Every path asked about is absolute: none depends on the current folder.
    ~ProgramSearch() override {
        for (const std::string& path : asked)
            EXPECT_TRUE(path.substr(1, 2) == ":\\" || path.substr(0, 2) == "\\\\") << path;
    }

    // Lower-case, each between bars.
    std::string files =
        "|c:\\windows\\system32\\notepad.exe|c:\\windows\\regedit.exe|c:\\tools\\tool.cmd|"
        "c:\\quoted dir\\quoted.exe|c:\\program files\\app\\x.exe|c:\\program.exe|c:\\a b\\x.exe|"
        "c:\\users\\u\\downloads\\keyreel\\notepad.exe|c:\\users\\u\\downloads\\keyreel\\planted."
        "exe|"
        "c:\\users\\u\\downloads\\keyreel\\tools\\x.exe|c:\\users\\u\\downloads\\keyreel\\readme|";
    ProgramPlaces places;
    std::vector<std::string> asked;
};

TEST_F(ProgramSearch, FindsTheProgramAndItsArgumentsInTheSystemsFoldersOrTheProgramsFolder) {
    // The value; the program found ("" for none) and its arguments.
    const std::tuple<const char*, std::string, const char*> cases[] = {
        {"  notepad   a  b  ", "C:\\Windows\\System32\\notepad.exe", "a  b"},
        {"regedit /s a.reg", "C:\\Windows\\regedit.exe", "/s a.reg"},
        {"tool /x", "C:\\Tools\\tool.cmd", "/x"},
        {"quoted", "C:\\Quoted Dir\\quoted.exe", ""},
        // Beside Keyreel only by a path with a folder part.
        {"planted.exe", "", ""},
        {"tools\\x.exe -v", places.programFolder + "tools\\x.exe", "-v"},
        {"C:\\Program Files\\App\\x.exe /a", "C:\\Program Files\\App\\x.exe", "/a"},
        {"\"C:\\a b\\x.exe\" /a \"q r\"", "C:\\a b\\x.exe", "/a \"q r\""},
        {"\"C:\\a b\\y.exe\" x.exe", "", ""},
        {"C:notepad.exe", "", ""},
    };
    for (const auto& [value, program, arguments] : cases) {
        const auto found = findProgram(value, places);
        EXPECT_EQ(found ? found->program : "", program) << value;
        EXPECT_EQ(found ? found->arguments : "", arguments) << value;
    }

    const auto started = findProgram("notepad a.txt", places);
    ASSERT_TRUE(started);
    EXPECT_EQ(started->commandLine(), "\"C:\\Windows\\System32\\notepad.exe\" a.txt");
    EXPECT_EQ(started->folder, places.programFolder);
    EXPECT_TRUE(namesNoProgram("\"\" /a"));
    EXPECT_FALSE(namesNoProgram("missing.exe"));
}

TEST_F(ProgramSearch, OpensDocumentsFromTheProgramsFolderAndProgramsOnlyFromTheSystems) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"todo.txt", places.programFolder + "todo.txt"},
        {"C:\\reports\\monday.txt", "C:\\reports\\monday.txt"},
        {"https://example.com/", "https://example.com/"},
        {"notepad.exe", "C:\\Windows\\System32\\notepad.exe"},
        {"planted.exe", std::nullopt},
        {".\\planted.exe", places.programFolder + ".\\planted.exe"},
    };
    for (const auto& [value, path] : cases)
        EXPECT_EQ(documentPath(value, places), path) << value;
}

}  // namespace
}  // namespace keyreel
