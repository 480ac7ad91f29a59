// The scheduler of keyreel.exe driven as a user drives it: an entry made in
// the entry window plays into notepad from the tray at its time, and goes.

#include "core/schedule/schedule_clock.h"
#include "e2e_support.h"
#include "remote_controls.h"
#include "win32/wide_text.h"

namespace keyreel::e2e {
namespace {

// macro.kdb beside keyreel.exe, where the program keeps it.
std::wstring databasePath() {
    const std::wstring program = keyreelExecutable();
    return program.substr(0, program.find_last_of(L'\\') + 1) + L"macro.kdb";
}

class SchedulerE2E : public KeyreelTest {
  protected:
    void SetUp() override {
        KeyreelTest::SetUp();
        TearDown();  // what an earlier run left goes first
    }
    void TearDown() override {
        KeyreelTest::TearDown();
        DeleteFileW(databasePath().c_str());
        DeleteFileW((databasePath() + L".bak").c_str());
    }
    // Types the time of day into the time picker: a click on the hours
    // chooses them; each field takes two digits.
    void typeTime(HWND picker, const LocalDateTime& time) {
        RECT rect{};
        GetWindowRect(picker, &rect);
        ASSERT_TRUE(clickAt({rect.left + 6, (rect.top + rect.bottom) / 2}));
        ASSERT_TRUE(waitForFocusIn(picker, 5000));
        const auto twoDigits = [](int value) {
            return std::to_wstring(value / 10) + L" " + std::to_wstring(value % 10);
        };
        ASSERT_TRUE(tapKeys(twoDigits(time.hour) + L" Right " + twoDigits(time.minute) +
                            L" Right " + twoDigits(time.second)));
        ASSERT_TRUE(waitFor(
            [&] {
                const auto value = pickerValue(picker);
                return value && value->wHour == time.hour && value->wMinute == time.minute &&
                       value->wSecond == time.second;
            },
            5000));
    }
};

TEST_F(SchedulerE2E, AnEntryMadeInTheEntryWindowPlaysFromTheTrayAndIsGone) {
    TypingTarget notepad;
    ASSERT_TRUE(notepad.open(true));
    const std::wstring macro =
        writeMacro(L"once.kyr", "SetFocus >Untitled - Notepad\r\nSendText >fired once\r\n");
    ASSERT_NE(open(L""), nullptr);
    // Prefs > "Scheduler", the last item: "&StartUp Preferences" shares its
    // access key.
    chooseMenu(L"p", L"End Return");
    const HWND scheduler = waitForShown(L"KeyreelSchedulerWindow", 10000);
    ASSERT_NE(scheduler, nullptr);
    const HWND entryList = findChild(scheduler, L"SysListView32");
    EXPECT_EQ(GetWindow(scheduler, GW_OWNER), main) << "owned by the main window";

    ASSERT_TRUE(clickOn(findChild(scheduler, L"Static", L"Add New")));
    const HWND entry = waitForShown(L"KeyreelEntryWindow", 10000);
    ASSERT_NE(entry, nullptr) << describeDisplay();
    std::vector<HWND> edits, pickers;
    for (const Child& child : children(entry)) {
        if (child.className == L"Edit")
            edits.push_back(child.hwnd);
        else if (child.className == L"SysDateTimePick32")
            pickers.push_back(child.hwnd);
    }
    ASSERT_TRUE(edits.size() == 3 && pickers.size() == 2);
    ASSERT_TRUE(typeInto(edits[0], L"Fires once"));
    ASSERT_TRUE(clickOn(findChild(entry, L"Static", L"Browse")));
    answerFileDialog(L"Open", L"once.kyr");
    ASSERT_TRUE(waitFor([&] { return windowText(edits[1]) == macro; }, 5000))
        << win32::toUtf8(windowText(edits[1]));
    // The first frequency, "Once", from the list.
    const HWND frequency = findChild(entry, L"ComboBox");
    ASSERT_TRUE(clickOn(frequency));
    ASSERT_TRUE(waitForFocusIn(frequency, 5000));
    ASSERT_TRUE(tapKeys(L"Down Return"));
    ASSERT_TRUE(waitFor([&] { return SendMessageW(frequency, CB_GETCURSEL, 0, 0) == 0; }, 5000));
    SYSTEMTIME now{};
    GetLocalTime(&now);
    SimulatedClock clock;
    clock.set(
        {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds});
    clock.advanceMillis(20000);
    const LocalDateTime when = clock.now();
    typeTime(pickers[1], when);
    ASSERT_TRUE(clickButton(entry, L"Schedule It"));

    // Emptied for the next entry once added, the window staying open. The
    // entry may have played already on a busy machine, but not yet gone by.
    EXPECT_TRUE(waitFor([&] { return windowText(edits[0]).empty(); }, 5000))
        << testing::PrintToString(visibleTitles());
    EXPECT_TRUE(IsWindowVisible(entry));
    hide();
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(scheduler); }, 5000));
    EXPECT_FALSE(IsWindow(entry)) << "Hide closes the entry window";
    EXPECT_TRUE(waitFor([&] { return notepad.text() == L"fired once"; }, 60000))
        << win32::toUtf8(notepad.text());
    EXPECT_TRUE(waitFor(
        [&] { return listViewRows(entryList, 6).empty() && fileBytes(databasePath()).empty(); },
        5000));
}

}  // namespace
}  // namespace keyreel::e2e
