#pragma once

// The fixture of the scheduler's end-to-end tests: keyreel.exe with a known
// schedule database beside it (removed again afterwards), and the steps a
// user takes in the scheduler's windows.

#include <string>
#include <vector>

#include "core/schedule/schedule_clock.h"
#include "main_window_fixture.h"

namespace keyreel::e2e {

using Rows = std::vector<std::vector<std::wstring>>;

class SchedulerE2E : public MainWindowE2E {
  protected:
    void SetUp() override;
    void TearDown() override;

    // macro.kdb beside keyreel.exe, where the program keeps it.
    static std::wstring databasePath();
    void writeDatabase(const std::string& bytes);
    std::string database() const { return fileBytes(databasePath()); }

    // Prefs > "Scheduler", the menu's last item.
    HWND openScheduler();
    // The main window's Hide, by its access key.
    void hideWithTheMainWindow();
    // Description, run time, run date, day, frequency and path of every
    // row the list shows.
    Rows rows() const;
    void clickLabel(HWND window, const wchar_t* caption);

    // "Add New": the entry window, its fields found.
    HWND addNew();
    void typeInto(HWND field, const std::wstring& text);
    // Picks the frequency at `position` from the entry window's list.
    void chooseFrequency(int position);
    // Types the time of day into the entry window's time picker.
    void typeTime(const LocalDateTime& time);

    HWND scheduler = nullptr;
    HWND entryList = nullptr;
    HWND entry = nullptr;
    HWND description = nullptr;
    HWND datePicker = nullptr;
    HWND timePicker = nullptr;
    HWND frequency = nullptr;
    HWND path = nullptr;
};

// The local time now, and `seconds` later.
LocalDateTime localTimeIn(int seconds);
// A database record, as the program writes it.
std::string record(const std::string& descr, const std::string& runTime, const std::string& runDate,
                   const std::string& runDay, const std::string& freq, const std::string& path,
                   const std::string& running = "False");

}  // namespace keyreel::e2e
