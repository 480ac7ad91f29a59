// winprobe: looks at windows from outside, for scripts that drive Keyreel under Wine. Prints
// UTF-8; exit status 0 when the condition held within MS milliseconds (10000 unless given).
//   wait TITLE [MS] (prints it) | gone TITLE [MS] | close TITLE
//   text TITLE [MS]: its edit control's text once it stopped changing
//   wait-play-end [MS]: a Keyreel play started and ended
//   wait-child TITLE TEXT [MS]: it shows a control whose text contains TEXT
//   focus TITLE CLASS [MS]: its thread's focus is in a control of this class
//   loaded CLASS [MS]: a window of this class, shown or hidden

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "user_input.h"
#include "win32/wide_text.h"
#include "window_probe.h"

namespace {

using namespace keyreel::probe;

void print(const std::wstring& text) {
    std::fputs((keyreel::win32::toUtf8(text) + "\n").c_str(), stdout);
    std::fflush(stdout);
}

// The text of the window's edit control once it read the same for half a second.
bool printSettledText(const wchar_t* title, DWORD timeoutMillis) {
    const HWND window = findWindow(title);
    if (window == nullptr)
        return false;
    HWND holder = nullptr;
    for (const wchar_t* editClass : {L"Edit", L"RichEdit20W", L"RICHEDIT50W"})
        holder = holder != nullptr ? holder : findChild(window, editClass);
    holder = holder != nullptr ? holder : window;
    std::wstring last = windowText(holder);
    int same = 0;
    waitFor(
        [&] {
            const std::wstring now = windowText(holder);
            same = now == last ? same + 1 : 0;
            last = now;
            return same >= 5;
        },
        timeoutMillis, 100);
    print(last);
    return true;
}

bool showsText(const wchar_t* title, const std::wstring& textPart) {
    const HWND window = findWindow(title);
    return window != nullptr && std::ranges::any_of(children(window, true), [&](const Child& c) {
               return IsWindowVisible(c.hwnd) && c.text.find(textPart) != std::wstring::npos;
           });
}

bool focusInClass(const wchar_t* title, const std::wstring& wantedClass) {
    const HWND window = findWindow(title);
    const HWND focus = window != nullptr ? focusOfThread(window) : nullptr;
    return focus != nullptr && className(focus) == wantedClass;
}

// 1 when the condition held, 0 when it did not, 2 for a wrong command line.
int run(int argc, wchar_t** argv) {
    const std::wstring command = argv[1];
    const auto timeout = [&](int index) {
        return argc > index ? static_cast<DWORD>(_wtoi(argv[index])) : 10000;
    };
    constexpr const wchar_t* kPlaying = L"Keyreel   \u00BB";
    if (command == L"wait-play-end")
        return waitForWindow(kPlaying, timeout(2)) && waitUntilGone(kPlaying, timeout(2));
    const wchar_t* title = argc > 2 ? argv[2] : nullptr;
    const wchar_t* third = argc > 3 ? argv[3] : nullptr;
    if (title == nullptr)
        return 2;
    if (command == L"wait") {
        const HWND window = waitForWindow(title, timeout(3));
        return window != nullptr && (print(windowText(window)), true);
    }
    if (command == L"gone")
        return waitUntilGone(title, timeout(3));
    if (command == L"text")
        return printSettledText(title, timeout(3));
    if (const HWND window = findWindow(title); command == L"close")
        return window != nullptr && PostMessageW(window, WM_CLOSE, 0, 0);
    if (command == L"loaded")
        return waitFor([&] { return !windowsOfClass(title, true).empty(); }, timeout(3));
    if (third == nullptr)
        return 2;
    if (command == L"wait-child")
        return waitFor([&] { return showsText(title, third); }, timeout(4), 50);
    if (command == L"focus")
        return waitFor([&] { return focusInClass(title, third); }, timeout(4), 50);
    return 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const int result = argc < 2 ? 2 : run(argc, argv);
    return result == 2 ? 2 : result ? 0 : 1;
}
