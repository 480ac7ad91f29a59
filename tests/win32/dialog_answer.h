#pragma once

// Answering the common dialogs and message boxes that the test thread shows,
// from a thread of their own, through their controls, as a user would.

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace keyreel::win32 {

inline constexpr int kFileNameField = 1148;
inline constexpr int kFileTypeList = 1136;

// The visible dialog (class #32770) of this process with this title, or null.
HWND findDialog(const wchar_t* title);

// Waits for the Open or Save As dialog with this title, notes its file types
// and answers it with `answer`.
class DialogAnswer {
  public:
    DialogAnswer(const wchar_t* title, std::function<void(HWND)> answer);
    ~DialogAnswer() { finish(); }
    DialogAnswer(const DialogAnswer&) = delete;
    DialogAnswer& operator=(const DialogAnswer&) = delete;
    // Waits until the dialog was answered (or never came).
    void finish() {
        if (thread_.joinable())
            thread_.join();
    }

    std::vector<std::wstring> fileTypes;
    int selectedType = -1;

  private:
    std::thread thread_;
};

std::function<void(HWND)> enterFileName(const std::string& path);
void cancel(HWND dialog);

// Waits for the message box with this title and presses its button
// (IDYES, IDNO, IDCANCEL, IDOK), noting its text.
class MessageBoxAnswer {
  public:
    MessageBoxAnswer(const wchar_t* title, int button);
    ~MessageBoxAnswer() { finish(); }
    MessageBoxAnswer(const MessageBoxAnswer&) = delete;
    MessageBoxAnswer& operator=(const MessageBoxAnswer&) = delete;
    void finish() {
        if (thread_.joinable())
            thread_.join();
    }

    // Empty while no box came.
    std::wstring text;

  private:
    std::thread thread_;
};

}  // namespace keyreel::win32
