#include "dialog_answer.h"

#include "win32/wide_text.h"
#include "window_probe.h"

namespace keyreel::win32 {

DialogAnswer::DialogAnswer(const wchar_t* title, std::function<void(HWND)> answer, int ready)
    : thread_([this, title, ready, answer = std::move(answer)] {
          HWND dialog = nullptr;
          if (!probe::waitFor([&] {
                  return (dialog = probe::findDialog(title)) != nullptr &&
                         GetDlgItem(dialog, ready) != nullptr;
              }))
              return;
          const HWND types = GetDlgItem(dialog, kFileTypeList);
          for (LRESULT i = 0; i < SendMessageW(types, CB_GETCOUNT, 0, 0); ++i) {
              wchar_t type[128] = {};
              SendMessageW(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(type));
              fileTypes.emplace_back(type);
          }
          selectedType = static_cast<int>(SendMessageW(types, CB_GETCURSEL, 0, 0));
          text = probe::messageBoxText(dialog);
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
