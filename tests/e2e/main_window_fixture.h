#pragma once

// The fixture of the main window's end-to-end tests: keyreel.exe started and
// its main window found, and the steps a user takes in it.

#include <string>
#include <vector>

#include "e2e_support.h"
#include "user_input.h"

namespace keyreel::e2e {

class MainWindowE2E : public KeyreelTest {
  protected:
    void TearDown() override;

    // Starts keyreel.exe with the arguments, or in the tray without any and
    // restored with a double click on its icon; waits for its main window.
    // Its file dialogs open in the test's folder, its current folder.
    HWND open(const std::wstring& arguments);
    std::vector<std::wstring> lines() { return probe::listItems(list); }
    HWND button(const wchar_t* text) { return probe::findChild(main, L"Button", text); }
    // A click on the window's "Command" label, which does nothing else.
    void activate();
    // Alt and the menu's letter, then the item's letter once the menu is
    // open.
    void chooseMenu(const wchar_t* menuKey, const wchar_t* itemKey);
    // Right-clicks the tray icon and clicks the tray menu's item with this
    // caption.
    void chooseTrayItem(std::wstring_view caption);
    // Chooses the word at `position` in the command chooser with the arrow
    // keys, from the word chosen before.
    void chooseWord(int position, const wchar_t* word);
    // Tab from the chooser to the value field, and the value typed there.
    void typeValue(const std::wstring& text);
    // The word chosen, the value typed, and the line added with Enter in the
    // value field or with the Add button.
    enum class AddWith { Enter, Button };
    void addLine(int position, const wchar_t* word, const std::wstring& text, AddWith how);
    void selectLine(int index);
    // Answers the Save As or Open dialog by typing a file name and pressing
    // Enter, or with Escape when `name` is empty.
    void answerFileDialog(const wchar_t* title, const std::wstring& name);

    HWND main = nullptr;
    HWND list = nullptr;
    HWND chooser = nullptr;
    HWND value = nullptr;

  private:
    int chosen_ = -1;  // nothing chosen: the first Down chooses position 0
    std::wstring startFolder_;
};

std::string fileBytes(const std::wstring& path);
bool fileExists(const std::wstring& path);
// The shown top-level window of this class, once the display shows it too.
HWND waitForShown(const wchar_t* className, DWORD timeoutMillis);
// keyreel.exe's help window, and its navigation tab: 0 shows the contents,
// 1 the index, -1 none yet.
HWND helpWindow();
LRESULT helpTab(HWND help);

}  // namespace keyreel::e2e
