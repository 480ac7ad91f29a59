// The scheduler of keyreel.exe: an entry made in the entry window plays from the tray, and goes.

#include "e2e_support.h"
#include "remote_controls.h"

namespace keyreel::e2e {
namespace {

using SchedulerE2E = KeyreelTest;

TEST_F(SchedulerE2E, AnEntryMadeInTheEntryWindowPlaysFromTheTrayAndIsGone) {
    TypingTarget notepad;
    ASSERT_TRUE(notepad.open(true));
    const std::wstring macro =
        writeMacro(L"once.kyr", "SetFocus >Untitled - Notepad\r\nSendText >fired once\r\n");
    ASSERT_NE(open(L""), nullptr);
    // Prefs > "Scheduler", the last item: "&StartUp Preferences" shares its access key.
    chooseMenu(L"p", L"End Return");
    const HWND scheduler = waitForShown(L"KeyreelSchedulerWindow", 10000);
    ASSERT_NE(scheduler, nullptr);
    const HWND entryList = findChild(scheduler, L"SysListView32");
    EXPECT_EQ(GetWindow(scheduler, GW_OWNER), main) << "owned by the main window";

    ASSERT_TRUE(clickOn(findChild(scheduler, L"Static", L"Add New")));
    const HWND entry = waitForShown(L"KeyreelEntryWindow", 10000);
    ASSERT_NE(entry, nullptr) << describeDisplay();
    const std::vector<HWND> edits = childrenOfClass(entry, L"Edit");
    const std::vector<HWND> pickers = childrenOfClass(entry, L"SysDateTimePick32");
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
    const int when = (now.wHour * 3600 + now.wMinute * 60 + now.wSecond + 20) % 86400;
    // A click on the hours chooses them; each field takes two digits.
    RECT rect{};
    GetWindowRect(pickers[1], &rect);
    ASSERT_TRUE(clickAt({rect.left + 6, (rect.top + rect.bottom) / 2}));
    ASSERT_TRUE(waitForFocusIn(pickers[1], 5000));
    const auto digits = [](int value) {
        return std::to_wstring(value / 10) + L" " + std::to_wstring(value % 10);
    };
    ASSERT_TRUE(tapKeys(digits(when / 3600) + L" Right " + digits(when / 60 % 60) + L" Right " +
                        digits(when % 60)));
    const auto typed = [&] {
        const auto value = pickerValue(pickers[1]);
        return value && value->wHour * 3600 + value->wMinute * 60 + value->wSecond == when;
    };
    ASSERT_TRUE(waitFor(typed, 5000));
    ASSERT_TRUE(clickButton(entry, L"Schedule It"));

    // Emptied for the next entry, the window open; on a busy machine it may have played already.
    EXPECT_TRUE(waitFor([&] { return windowText(edits[0]).empty(); }, 5000));
    EXPECT_TRUE(IsWindowVisible(entry));
    hide();
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(scheduler); }, 5000));
    EXPECT_FALSE(IsWindow(entry)) << "Hide closes the entry window";
    EXPECT_TRUE(waitFor([&] { return notepad.text() == L"fired once"; }, 60000))
        << win32::toUtf8(notepad.text());
    EXPECT_TRUE(waitFor(
        [&] { return listViewRows(entryList, 6).empty() && fileBytes(scheduleDatabase()).empty(); },
        5000));
}

}  // namespace
}  // namespace keyreel::e2e
