#include "dialog_answer.h"

#include "win32/wide_text.h"

namespace keyreel::win32 {

namespace {

constexpr int kMessageBoxText = 0xFFFF;

std::wstring controlText(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
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

DialogAnswer::DialogAnswer(const wchar_t* title, std::function<void(HWND)> answer, int ready)
    : thread_([this, title, ready, answer = std::move(answer)] {
          const ULONGLONG giveUp = GetTickCount64() + 10000;
          HWND dialog = nullptr;
          while ((dialog = findDialog(title)) == nullptr || GetDlgItem(dialog, ready) == nullptr) {
              if (GetTickCount64() > giveUp)
                  return;
              Sleep(20);
          }
          const HWND types = GetDlgItem(dialog, kFileTypeList);
          for (LRESULT i = 0; i < SendMessageW(types, CB_GETCOUNT, 0, 0); ++i) {
              wchar_t type[128] = {};
              SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(type));
              fileTypes.emplace_back(type);
          }
          selectedType = static_cast<int>(SendMessageW(types, CB_GETCURSEL, 0, 0));
          text = controlText(GetDlgItem(dialog, kMessageBoxText));
          answer(dialog);
          answered_ = true;
      }) {}

void DialogAnswer::finish() {
    if (thread_.joinable())
        thread_.join();
}

std::function<void(HWND)> enterFileName(const std::string& path) {
    return [path](HWND dialog) {
        SetDlgItemTextW(dialog, kFileNameField, toWide(path).c_str());
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    };
}

void cancelDialog(HWND dialog) {
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

std::function<void(HWND)> pressButton(int id) {
    return [id](HWND dialog) { PostMessageW(dialog, WM_COMMAND, static_cast<WPARAM>(id), 0); };
}

}  // namespace keyreel::win32
