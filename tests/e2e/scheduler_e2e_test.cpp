// The scheduler of keyreel.exe driven as a user drives it: entries made in
// the entry window, and due entries playing into notepad from the tray, one
// after the other when they meet.

#include "core/schedule/schedule_entry.h"
#include "remote_controls.h"
#include "scheduler_fixture.h"
#include "win32/wide_text.h"

namespace keyreel::e2e {
namespace {

std::string timeText(const LocalDateTime& time) {
    return runTimeText(time.hour, time.minute, time.second);
}

std::string weekdayText(const LocalDateTime& time) {
    return std::to_string(momentOf(time).weekday);
}

// The start of the record of a daily entry once it moved on to tomorrow.
std::string movedToTomorrow(const std::string& descr, const std::string& runTime) {
    const LocalDateTime tomorrow = localTimeIn(24 * 3600);
    return "\"" + descr + "\",\"" + runTime + "\",\"" + runDateText(momentOf(tomorrow).today) +
           "\",\"" + weekdayText(tomorrow) + "\",\"D\",";
}

std::vector<std::wstring> shownRow(const std::string& descr, const std::string& runTime,
                                   const std::string& runDate, const std::string& runDay,
                                   const std::string& freq, const std::string& path) {
    return {win32::toWide(descr),  win32::toWide(runTime), win32::toWide(runDate),
            win32::toWide(runDay), win32::toWide(freq),    win32::toWide(path)};
}

TEST_F(SchedulerE2E, AnEntryMadeInTheEntryWindowPlaysAtItsSecondFromTheTrayAndIsGone) {
    Notepad notepad;
    ASSERT_TRUE(notepad.open());
    const std::wstring macro =
        writeMacro(L"once.kyr", "SetFocus >Untitled - Notepad\r\nSendText >fired once\r\n");
    ASSERT_NE(open(L""), nullptr);
    ASSERT_NE(openScheduler(), nullptr);
    EXPECT_EQ(GetWindow(scheduler, GW_OWNER), main) << "owned by the main window";
    ASSERT_NE(addNew(), nullptr);

    typeInto(description, L"Fires once");
    clickLabel(entry, L"Browse");
    answerFileDialog(L"Open", L"once.kyr");
    ASSERT_TRUE(waitFor([&] { return probe::windowText(path) == macro; }, 5000))
        << win32::toUtf8(probe::windowText(path));
    chooseFrequency(0);
    const LocalDateTime when = localTimeIn(20);
    typeTime(when);
    ASSERT_TRUE(probe::clickButton(entry, L"Schedule It"));

    const std::string date = enteredDateText(when.month, when.day, when.year);
    const std::string day = weekdayText(when);
    const std::string expected =
        record("Fires once", timeText(when), date, day, "O", win32::toUtf8(macro));
    ASSERT_TRUE(waitFor([&] { return database() == expected; }, 5000)) << database();
    EXPECT_EQ(rows(),
              (Rows{shownRow("Fires once", timeText(when), date, day, "O", win32::toUtf8(macro))}));
    EXPECT_EQ(probe::windowText(description), L"") << "emptied for the next entry";
    EXPECT_TRUE(IsWindowVisible(entry)) << "the window stays open";

    hideWithTheMainWindow();
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(scheduler); }, 5000));
    EXPECT_FALSE(IsWindow(entry)) << "Hide closes the entry window";
    EXPECT_TRUE(waitFor([&] { return notepad.text() == L"fired once"; }, 60000))
        << win32::toUtf8(notepad.text());
    EXPECT_TRUE(waitFor([&] { return rows().empty() && database().empty(); }, 5000)) << database();
}

// The first macro lasts beyond the second they share: the others wait for
// it. One whose file came from the internet plays not at all, is kept, and
// is told.
TEST_F(SchedulerE2E, EntriesOfOneSecondPlayOneAfterTheOtherFromTheTray) {
    Notepad notepad;
    ASSERT_TRUE(notepad.open());
    const auto macro = [&](const wchar_t* name, const std::string& lines) {
        return win32::toUtf8(writeMacro(name, "SetFocus >Untitled - Notepad\r\n" + lines));
    };
    const std::string first = macro(L"first.kyr", "SendText >first.\r\nWait >2\r\n");
    const std::string second = macro(L"second.kyr", "SendText >second.\r\n");
    const std::string daily = macro(L"daily.kyr", "SendText >daily\r\n");
    const std::string fetched = macro(L"fetched.kyr", "SendText >fetched\r\n");
    markDownloaded(win32::toWide(fetched));
    ASSERT_NE(open(L""), nullptr);
    // Read when the scheduler loads: Hide loads it hidden.
    const LocalDateTime when = localTimeIn(10);
    const std::string runTime = timeText(when);
    const std::string runDate = enteredDateText(when.month, when.day, when.year);
    writeDatabase(record("First", runTime, runDate, weekdayText(when), "O", first) +
                  record("Second", runTime, runDate, weekdayText(when), "O", second) +
                  record("Daily", runTime, runDate, weekdayText(when), "D", daily) +
                  record("Fetched", runTime, runDate, weekdayText(when), "O", fetched));
    hideWithTheMainWindow();

    const HWND told = probe::waitForMessageBox(kAppTitle, L"\"Fetched\" did not play", 60000);
    ASSERT_NE(told, nullptr);
    EXPECT_EQ(probe::findMessageBox(kAppTitle, L"fetched.kyr\" came from the internet"), told);
    probe::answerMessageBox(told, IDOK);
    EXPECT_TRUE(waitFor([&] { return notepad.text() == L"first.second.daily"; }, 60000))
        << win32::toUtf8(notepad.text());
    const std::string moved = movedToTomorrow("Daily", runTime);
    const std::string kept = record("Fetched", runTime, runDate, weekdayText(when), "O", fetched);
    EXPECT_TRUE(waitFor(
        [&] {
            const std::string file = database();
            return file.starts_with(moved) && file.find("\r\n") + 2 + kept.size() == file.size() &&
                   file.ends_with(kept);
        },
        10000))
        << database() << " does not hold the daily entry moved on and the kept one: " << moved;
}

// A start-up macro that loops for good: the scheduler loaded before it plays
// runs its passes during the play, and a due entry waits for the play to be
// stopped; without the setting the scheduler never loads.
TEST_F(SchedulerE2E, RunFromStartUpTheScheduleRunsDuringALoopingCommandLinePlay) {
    setSetting("startup", "runLoaded", "1");
    setSetting("startup", "Run", "0");
    const std::wstring looping = L"\"" + writeMacro(L"looping.kyr", "Wait >1\r\nLoop\r\n") + L"\"";
    const auto schedulerWindow = [] { return FindWindowW(L"KeyreelSchedulerWindow", nullptr); };

    // Loaded before the play or not at all: once the play runs, it is decided.
    ASSERT_TRUE(keyreel.start(looping));
    ASSERT_TRUE(waitForTitle(kPlayingTitle, 15000));
    EXPECT_EQ(schedulerWindow(), nullptr) << "off by default";
    keyreel.kill();

    setSetting("startup", "runScheduler", "1");
    const LocalDateTime when = localTimeIn(10);
    const std::string runTime = timeText(when);
    const std::string entry =
        record("Daily", runTime, enteredDateText(when.month, when.day, when.year),
               weekdayText(when), "D", win32::toUtf8(writeMacro(L"waits.kyr", "Wait >0\r\n")));
    writeDatabase(entry);
    ASSERT_TRUE(keyreel.start(looping));
    ASSERT_TRUE(waitForTitle(kPlayingTitle, 15000));
    const HWND scheduler = schedulerWindow();
    ASSERT_NE(scheduler, nullptr) << "loaded before the play";
    EXPECT_FALSE(IsWindowVisible(scheduler)) << "hidden, as Hide loads it";

    // The clock the scheduler shows has gone past the entry's run time.
    const auto shownTimePassed = [&] {
        for (const probe::Child& child : probe::children(scheduler)) {
            const auto shown = parseRunTime(win32::toUtf8(child.text));
            if (child.className == L"Static" && shown)
                return *shown > momentOf(when).secondOfDay;
        }
        return false;
    };
    ASSERT_TRUE(waitFor(shownTimePassed, 60000));
    EXPECT_EQ(database(), entry) << "waiting, and nothing of it stored";
    EXPECT_EQ(title(), kPlayingTitle) << "the loop plays on";

    ASSERT_TRUE(probe::clickButton(mainWindow(), L"Stop"));
    const std::string moved = movedToTomorrow("Daily", runTime);
    EXPECT_TRUE(waitFor([&] { return database().starts_with(moved); }, 10000))
        << database() << " does not start with " << moved;
}

}  // namespace
}  // namespace keyreel::e2e
