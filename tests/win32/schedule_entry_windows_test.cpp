// The scheduler's smaller windows created for real under Wine: the entry
// window's fields, the update window's four editors and "Modify", and what
// the keys do in them.

#include "scheduler_window_fixture.h"

namespace keyreel::ui {
namespace {

class EntryWindowTest : public SchedulerWindowTest {
  protected:
    void openEntryWindow() {
        openWindow();
        clickLabel(L"Add New");
        entry = window.entryWindow().hwnd();
        ASSERT_NE(entry, nullptr);
    }
    HWND field(const wchar_t* className, int index) const {
        HWND child = nullptr;
        for (int i = 0; i <= index; ++i)
            child = FindWindowExW(entry, child, className, nullptr);
        return child;
    }
    HWND description() const { return field(L"Edit", 0); }
    HWND path() const { return field(L"Edit", 1); }
    HWND notes() const { return field(L"Edit", 2); }
    HWND datePicker() const { return field(DATETIMEPICK_CLASSW, 0); }
    HWND timePicker() const { return field(DATETIMEPICK_CLASSW, 1); }
    HWND frequency() const { return field(L"ComboBox", 0); }
    HWND weekdayName() const { return field(L"Static", 2); }
    void scheduleIt() { probe::clickButton(entry, L"Schedule It"); }

    HWND entry = nullptr;
};

SYSTEMTIME pickerValue(HWND picker) {
    SYSTEMTIME value{};
    DateTime_GetSystemtime(picker, &value);
    return value;
}

TEST_F(EntryWindowTest, StartsAtNowWithTheWeekdayBesideTheDateAndFollowsTheDate) {
    openEntryWindow();
    EXPECT_EQ(text(entry), "Schedule Entry");
    EXPECT_EQ(GetWindow(entry, GW_OWNER), window.hwnd());
    const SYSTEMTIME date = pickerValue(datePicker());
    const SYSTEMTIME time = pickerValue(timePicker());
    EXPECT_EQ(std::vector<int>({date.wMonth, date.wDay, date.wYear}),
              std::vector<int>({3, 5, 2000}));
    EXPECT_EQ(std::vector<int>({time.wHour, time.wMinute, time.wSecond}),
              std::vector<int>({9, 5, 7}));
    EXPECT_EQ(text(weekdayName()), "Sunday");
    EXPECT_EQ(SendMessageW(frequency(), CB_GETCURSEL, 0, 0), CB_ERR) << "nothing chosen";
    ASSERT_EQ(SendMessageW(frequency(), CB_GETCOUNT, 0, 0), 3);

    // A key on the month changes the date; the name follows it. The first
    // click gives the picker the focus, the second chooses the month. The
    // picker is held by its handle: a click may bring it to the top of its
    // siblings, and the order they are found in with it.
    ASSERT_TRUE(probe::waitFor([&] { return GetForegroundWindow() == entry; }));
    const HWND picker = datePicker();
    RECT rect{};
    GetWindowRect(picker, &rect);
    click({rect.left + 10, (rect.top + rect.bottom) / 2});
    ASSERT_TRUE(probe::waitFor([&] { return GetFocus() == picker; }));
    click({rect.left + 10, (rect.top + rect.bottom) / 2});
    input.keyEvent(VK_UP, false);
    input.keyEvent(VK_UP, true);
    ASSERT_TRUE(probe::waitFor([&] {
        const SYSTEMTIME now = pickerValue(picker);
        return now.wDay != 5 || now.wMonth != 3 || now.wYear != 2000;
    }));
    const SYSTEMTIME changed = pickerValue(picker);
    LocalDateTime moved{changed.wYear, changed.wMonth, changed.wDay};
    EXPECT_EQ(text(weekdayName()), keyreel::weekdayName(momentOf(moved).weekday));
}

TEST_F(EntryWindowTest, BrowseFillsThePathAndTheLabelTurnsGreenUnderThePointer) {
    openEntryWindow();
    SetWindowTextW(path(), L"C:\\old.kyr");
    const HWND browse = probe::findChild(entry, L"", L"Browse");
    const auto browseClick = [&] {
        SendMessageW(entry, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(browse), STN_CLICKED),
                     reinterpret_cast<LPARAM>(browse));
    };
    browseClick();  // cancelled
    EXPECT_EQ(text(path()), "C:\\old.kyr");
    chosenFile = "C:\\Macros\\chosen.kyr";
    browseClick();
    EXPECT_EQ(text(path()), "C:\\Macros\\chosen.kyr");
    ASSERT_EQ(dialogs.size(), 2u);
    EXPECT_EQ(dialogs[0], macroFileOpenDialog());

    SetForegroundWindow(entry);
    SetCursorPos(middleOf(browse).x, middleOf(browse).y);
    EXPECT_TRUE(probe::waitFor([&] { return pixelsOfColour(browse, kGreen) > 0; }));
    SetCursorPos(middleOf(path()).x, middleOf(path()).y);
    EXPECT_TRUE(probe::waitFor([&] { return pixelsOfColour(browse, kGreen) == 0; }));
}

class UpdateWindowTest : public SchedulerWindowTest {
  protected:
    // Double-clicks a cell of the first row and waits for the editor.
    HWND edit(int column) {
        click(cellPoint(0, column), 2);
        EXPECT_TRUE(probe::waitFor([&] { return window.updateWindow().loaded(); }));
        return window.updateWindow().hwnd();
    }
    // The one editor shown.
    static HWND shownEditor(HWND editor) {
        HWND shown = nullptr;
        int count = 0;
        for (const wchar_t* kind : {L"Edit", L"ComboBox", DATETIMEPICK_CLASSW}) {
            for (HWND child = FindWindowExW(editor, nullptr, kind, nullptr); child != nullptr;
                 child = FindWindowExW(editor, child, kind, nullptr)) {
                if (IsWindowVisible(child) && GetParent(child) == editor) {
                    shown = child;
                    ++count;
                }
            }
        }
        return count == 1 ? shown : nullptr;
    }
};

TEST_F(UpdateWindowTest, EachColumnOpensItsEditorAtTheClickAndModifyWritesThatCell) {
    struct Case {
        int column;
        const wchar_t* editorClass;
        const char* startsWith;  // the cell's value: the editor's text, a picker's "M/D h:nn"
        std::function<void(HWND)> change;
        const char* written;
    };
    const auto setText = [](const wchar_t* value) {
        return [=](HWND editor) { SetWindowTextW(editor, value); };
    };
    const auto setPicker = [](SYSTEMTIME value) {
        return [=](HWND editor) { DateTime_SetSystemtime(editor, GDT_VALID, &value); };
    };
    const Case cases[] = {
        {1, DATETIMEPICK_CLASSW, "3/5 9:00", setPicker({2000, 3, 0, 5, 7, 3, 0, 0}), "7:03:00"},
        {2, DATETIMEPICK_CLASSW, "3/9 9:05", setPicker({2001, 12, 0, 25, 9, 5, 7, 0}),
         "12/25/2001"},
        {4, L"ComboBox", "Daily - D", setText(L"Weekly - W"), "W"},
        {5, L"Edit", "Backup.kyr", setText(L"C:\\A,B\\x.kyr"), "C:\\A,B\\x.kyr"},
    };
    for (const Case& c : cases) {
        database() = record("Backup", "D", "3/9/2000", "9:00:00", "5");
        openWindow();
        const POINT at = cellPoint(0, c.column);
        const HWND editor = edit(c.column);
        ASSERT_NE(editor, nullptr) << c.column;
        RECT frame{};
        GetWindowRect(editor, &frame);
        EXPECT_EQ(frame.left, at.x) << "opens at the double click";
        EXPECT_EQ(frame.top, at.y);
        EXPECT_FALSE(IsWindowEnabled(window.hwnd())) << "modal";
        const HWND shown = shownEditor(editor);
        ASSERT_NE(shown, nullptr) << c.column;
        wchar_t kind[64] = {};
        GetClassNameW(shown, kind, 64);
        EXPECT_STREQ(kind, c.editorClass) << c.column;
        if (std::wstring_view(kind) == DATETIMEPICK_CLASSW) {
            // The part the column does not use is at the clock's now.
            const SYSTEMTIME value = pickerValue(shown);
            const std::string minute = std::to_string(100 + value.wMinute).substr(1);
            EXPECT_EQ(std::to_string(value.wMonth) + "/" + std::to_string(value.wDay) + " " +
                          std::to_string(value.wHour) + ":" + minute,
                      c.startsWith);
        } else {
            EXPECT_EQ(text(shown), c.startsWith) << c.column;
        }
        c.change(shown);
        probe::clickButton(editor, L"Modify");
        EXPECT_FALSE(window.updateWindow().loaded());
        EXPECT_TRUE(IsWindowEnabled(window.hwnd()));
        EXPECT_EQ(cell(0, c.column), c.written);
        answer = MessageAnswer::No;  // the edit is not kept
        ASSERT_TRUE(window.unload());
    }
}

TEST_F(UpdateWindowTest, KeysEmptyTheChoiceListEnterWritesThePathAndEscapeCancels) {
    database() = record("Backup", "D", "3/9/2000", "9:00:00", "5");
    openWindow();
    // Below the last row a double click opens nothing: had it opened the
    // modal editor, the next double click could not reach the list.
    const POINT target = cellPoint(0, 4);
    click({target.x, target.y + 60}, 2);
    // The message loop's dialog keys: Enter and Escape reach the window.
    const auto press = [&](WORD key) {
        input.keyEvent(static_cast<std::uint8_t>(key), false);
        input.keyEvent(static_cast<std::uint8_t>(key), true);
        probe::settleWithDialogKeys();
    };

    HWND editor = edit(4);
    RECT frame{};
    GetWindowRect(editor, &frame);
    EXPECT_EQ(std::vector<LONG>({frame.left, frame.top}), std::vector<LONG>({target.x, target.y}));
    const HWND choices = shownEditor(editor);
    ASSERT_TRUE(probe::waitFor([&] { return GetForegroundWindow() == editor; }));
    press(VK_DOWN);
    EXPECT_EQ(text(choices), "") << "a key empties the choice";
    press('W');
    EXPECT_EQ(text(choices), "");
    probe::clickButton(editor, L"Modify");
    EXPECT_EQ(cell(0, 4), "") << "written all the same";

    editor = edit(5);
    ASSERT_TRUE(probe::waitFor([&] { return GetForegroundWindow() == editor; }));
    const HWND pathBox = shownEditor(editor);
    SetWindowTextW(pathBox, L"");
    for (const char c : std::string("C:\\My Macros\\run it.kyr "))
        input.typeCharacter(static_cast<char32_t>(c));
    probe::settleWithDialogKeys();
    EXPECT_EQ(text(pathBox), "C:\\My Macros\\run it.kyr ");
    press(VK_RETURN);
    EXPECT_FALSE(window.updateWindow().loaded());
    EXPECT_EQ(cell(0, 5), "C:\\My Macros\\run it.kyr ") << "exactly as typed";

    // Escape cancels: nothing changes.
    editor = edit(0);
    ASSERT_TRUE(probe::waitFor([&] { return GetForegroundWindow() == editor; }));
    SetWindowTextW(shownEditor(editor), L"Cancelled");
    press(VK_ESCAPE);
    EXPECT_FALSE(window.updateWindow().loaded());
    EXPECT_EQ(cell(0, 0), "Backup");
    answer = MessageAnswer::No;
}

}  // namespace
}  // namespace keyreel::ui
