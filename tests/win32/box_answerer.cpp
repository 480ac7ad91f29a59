#include "box_answerer.h"

#include "test_window.h"
#include "wide_text.h"

namespace keyreel::win32 {

namespace {

// The id of a message box's text.
constexpr int kBoxTextId = 0xFFFF;

int focusedControl(HWND box) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &info))
        return 0;
    return info.hwndFocus != nullptr ? GetDlgCtrlID(info.hwndFocus) : 0;
}

}  // namespace

BoxAnswerer::BoxAnswerer(std::string title, int button, std::function<void(HWND)> beforeAnswer)
    : title_(toWide(title)),
      button_(button),
      beforeAnswer_(std::move(beforeAnswer)),
      thread_([this] { answerBoxes(); }) {}

BoxAnswerer::~BoxAnswerer() {
    stop_ = true;
    thread_.join();
}

std::vector<SeenBox> BoxAnswerer::seen() const {
    const std::lock_guard lock(mutex_);
    return seen_;
}

void BoxAnswerer::answerBoxes() {
    while (!stop_) {
        const HWND box = FindWindowW(L"#32770", title_.c_str());
        if (box == nullptr || !IsWindowVisible(box)) {
            Sleep(20);
            continue;
        }
        SeenBox found;
        found.text = windowText(GetDlgItem(box, kBoxTextId));
        found.owner = GetWindow(box, GW_OWNER);
        found.foreground = GetForegroundWindow() == box;
        found.focusedButton = focusedControl(box);
        if (beforeAnswer_)
            beforeAnswer_(box);
        {
            const std::lock_guard lock(mutex_);
            seen_.push_back(found);
        }
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, button_)));
        while (!stop_ && IsWindow(box))
            Sleep(10);
    }
}

}  // namespace keyreel::win32
