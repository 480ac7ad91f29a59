#include "dialog_answer.h"

#include "win32/wide_text.h"

namespace keyreel::win32 {

namespace {

// A message box's text is the static control with this id.
constexpr int kMessageBoxText = 0xFFFF;

// Waits ten seconds at the most for the dialog with this title that has
// the control; null when it did not come.
HWND awaitDialog(const wchar_t* title, int control) {
    const ULONGLONG giveUp = GetTickCount64() + 10000;
    HWND dialog = nullptr;
    while ((dialog = findDialog(title)) == nullptr || GetDlgItem(dialog, control) == nullptr) {
        if (GetTickCount64() > giveUp)
            return nullptr;
        Sleep(20);
    }
    return dialog;
}

}  // namespace

HWND findDialog(const wchar_t* title) {
    HWND found = nullptr;
    for (HWND window = FindWindowExW(nullptr, nullptr, L"#32770", title); window != nullptr;
         window = FindWindowExW(nullptr, window, L"#32770", title)) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId() && IsWindowVisible(window))
            found = window;
    }
    return found;
}

DialogAnswer::DialogAnswer(const wchar_t* title, std::function<void(HWND)> answer)
    : thread_([this, title, answer = std::move(answer)] {
          const HWND dialog = awaitDialog(title, kFileNameField);
          if (dialog == nullptr)
              return;
          const HWND types = GetDlgItem(dialog, kFileTypeList);
          for (LRESULT i = 0; i < SendMessageW(types, CB_GETCOUNT, 0, 0); ++i) {
              wchar_t text[128] = {};
              SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
              fileTypes.emplace_back(text);
          }
          selectedType = static_cast<int>(SendMessageW(types, CB_GETCURSEL, 0, 0));
          answer(dialog);
      }) {}

std::function<void(HWND)> enterFileName(const std::string& path) {
    return [path](HWND dialog) {
        SetDlgItemTextW(dialog, kFileNameField, toWide(path).c_str());
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    };
}

void cancel(HWND dialog) {
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

MessageBoxAnswer::MessageBoxAnswer(const wchar_t* title, int button)
    : thread_([this, title, button] {
          const HWND box = awaitDialog(title, kMessageBoxText);
          if (box == nullptr)
              return;
          wchar_t shown[256] = {};
          GetDlgItemTextW(box, kMessageBoxText, shown, 256);
          text = shown;
          PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                       reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
      }) {}

}  // namespace keyreel::win32
