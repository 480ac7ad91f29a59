#pragma once

// Answering the common dialogs and message boxes a window of this process
// shows, from a second thread, through their controls as a user would.

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace keyreel::win32 {

inline constexpr int kFileNameField = 1148;
inline constexpr int kFileTypeList = 1136;

// Waits on a thread of its own for the dialog the test thread shows, notes
// its file types and answers it with `answer` once its control `ready` is
// there (the file name field of the Open and Save As dialogs, say, or a
// message box's button).
class DialogAnswer {
  public:
    DialogAnswer(const wchar_t* title, std::function<void(HWND)> answer,
                 int ready = kFileNameField);
    ~DialogAnswer() { finish(); }
    DialogAnswer(const DialogAnswer&) = delete;
    DialogAnswer& operator=(const DialogAnswer&) = delete;
    // Waits until the dialog was answered (or never came in ten seconds).
    void finish();
    bool answered() const { return answered_; }

    std::vector<std::wstring> fileTypes;
    int selectedType = -1;
    // The message box's text, for a box.
    std::wstring text;

  private:
    bool answered_ = false;
    std::thread thread_;
};

// Answers: the path typed into the file name field and OK; Cancel; a
// message box's button.
std::function<void(HWND)> enterFileName(const std::string& path);
void cancelDialog(HWND dialog);
std::function<void(HWND)> pressButton(int id);

// Waits for the message box with this title and presses its button (IDYES,
// IDNO, IDCANCEL, IDOK), noting its text.
class MessageBoxAnswer : public DialogAnswer {
  public:
    MessageBoxAnswer(const wchar_t* title, int button)
        : DialogAnswer(title, pressButton(button), button) {}
};

}  // namespace keyreel::win32
