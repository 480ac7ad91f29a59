#include "scheduler_fixture.h"

#include <fstream>

#include "remote_controls.h"
#include "win32/wide_text.h"

namespace keyreel::e2e {

namespace {

// The columns the list shows; the last two are hidden.
constexpr int kShownColumns = 6;

}  // namespace

LocalDateTime localTimeIn(int seconds) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    SimulatedClock clock;
    clock.set(
        {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds});
    clock.advanceMillis(std::int64_t{seconds} * 1000);
    return clock.now();
}

std::string record(const std::string& descr, const std::string& runTime, const std::string& runDate,
                   const std::string& runDay, const std::string& freq, const std::string& path,
                   const std::string& running) {
    std::string line;
    for (const std::string* field : {&descr, &runTime, &runDate, &runDay, &freq, &path, &running})
        line += "\"" + *field + "\",";
    return line + "\"\"\r\n";
}

std::wstring SchedulerE2E::databasePath() {
    const std::wstring program = keyreelExecutable();
    return program.substr(0, program.find_last_of(L'\\') + 1) + L"macro.kdb";
}

void SchedulerE2E::SetUp() {
    MainWindowE2E::SetUp();
    DeleteFileW(databasePath().c_str());
    DeleteFileW((databasePath() + L".bak").c_str());
}

void SchedulerE2E::TearDown() {
    MainWindowE2E::TearDown();
    DeleteFileW(databasePath().c_str());
    DeleteFileW((databasePath() + L".bak").c_str());
}

void SchedulerE2E::writeDatabase(const std::string& bytes) {
    std::ofstream(databasePath().c_str(), std::ios::binary) << bytes;
}

HWND SchedulerE2E::openScheduler() {
    // "&StartUp Preferences" shares the access key: the last item is it.
    chooseMenu(L"p", L"End Return");
    scheduler = waitForShown(L"KeyreelSchedulerWindow", 10000);
    entryList = scheduler != nullptr ? probe::findChild(scheduler, L"SysListView32") : nullptr;
    return entryList != nullptr ? scheduler : nullptr;
}

void SchedulerE2E::hideWithTheMainWindow() {
    activate();
    ASSERT_TRUE(tapKeys(L"alt+d"));
    ASSERT_TRUE(waitFor([&] { return !IsWindowVisible(main); }, 5000));
}

Rows SchedulerE2E::rows() const {
    return probe::listViewRows(entryList, kShownColumns);
}

void SchedulerE2E::clickLabel(HWND window, const wchar_t* caption) {
    const HWND label = probe::findChild(window, L"Static", caption);
    ASSERT_NE(label, nullptr) << win32::toUtf8(caption);
    ASSERT_TRUE(clickOn(label));
}

HWND SchedulerE2E::addNew() {
    clickLabel(scheduler, L"Add New");
    entry = waitForShown(L"KeyreelEntryWindow", 10000);
    if (entry == nullptr || !IsWindowVisible(entry)) {
        ADD_FAILURE() << "no entry window: " << describeDisplay();
        return nullptr;
    }
    std::vector<HWND> edits, pickers;
    for (const probe::Child& child : probe::children(entry)) {
        if (child.className == L"Edit")
            edits.push_back(child.hwnd);
        else if (child.className == L"SysDateTimePick32")
            pickers.push_back(child.hwnd);
    }
    if (edits.size() != 3 || pickers.size() != 2)
        return nullptr;
    description = edits[0];
    path = edits[1];
    datePicker = pickers[0];
    timePicker = pickers[1];
    frequency = probe::findChild(entry, L"ComboBox");
    return entry;
}

void SchedulerE2E::typeInto(HWND field, const std::wstring& text) {
    ASSERT_TRUE(clickOn(field));
    ASSERT_TRUE(waitForFocusIn(field, 5000));
    ASSERT_TRUE(typeText(text));
    ASSERT_TRUE(waitFor([&] { return probe::windowText(field) == text; }, 5000))
        << win32::toUtf8(probe::windowText(field));
}

void SchedulerE2E::chooseFrequency(int position) {
    ASSERT_TRUE(clickOn(frequency));
    ASSERT_TRUE(waitForFocusIn(frequency, 5000));
    ASSERT_TRUE(tapKeys(L"--repeat " + std::to_wstring(position + 1) + L" --delay 30 Down"));
    ASSERT_TRUE(tapKeys(L"Return"));
    ASSERT_TRUE(
        waitFor([&] { return SendMessageW(frequency, CB_GETCURSEL, 0, 0) == position; }, 5000));
}

void SchedulerE2E::typeTime(const LocalDateTime& time) {
    // A click on the hours chooses them; each field takes two digits.
    RECT rect{};
    GetWindowRect(timePicker, &rect);
    ASSERT_TRUE(movePointerTo(rect.left + 6, (rect.top + rect.bottom) / 2));
    ASSERT_TRUE(probe::runUnixProgramToEnd(L"/usr/bin/xdotool click 1"));
    ASSERT_TRUE(waitForFocusIn(timePicker, 5000));
    const auto twoDigits = [](int value) {
        return std::to_wstring(value / 10) + L" " + std::to_wstring(value % 10);
    };
    ASSERT_TRUE(tapKeys(twoDigits(time.hour) + L" Right " + twoDigits(time.minute) + L" Right " +
                        twoDigits(time.second)));
    ASSERT_TRUE(waitFor(
        [&] {
            const auto value = probe::pickerValue(timePicker);
            return value && value->wHour == time.hour && value->wMinute == time.minute &&
                   value->wSecond == time.second;
        },
        5000))
        << "the picker holds " << [&] {
               const auto value = probe::pickerValue(timePicker);
               return value ? std::to_string(value->wHour) + ":" + std::to_string(value->wMinute) +
                                  ":" + std::to_string(value->wSecond)
                            : std::string("nothing");
           }();
}

}  // namespace keyreel::e2e
