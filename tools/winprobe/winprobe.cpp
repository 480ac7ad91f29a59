// winprobe: looks at windows from outside, for scripts that drive Keyreel
// under Wine. Prints UTF-8; exit status 0 when the condition held.
//
//   winprobe titles                    visible top-level titles
//   winprobe wait TITLE [MS]           wait for a window; print its title
//   winprobe gone TITLE [MS]           wait until no such window is left
//   winprobe text TITLE [MS]           the text of the window's edit control,
//                                      once it has stopped changing (keys a
//                                      play sent may still be on their way)
//   winprobe wait-play-end [MS]        wait for a Keyreel play to start and end
//   winprobe wait-child TITLE TEXT [MS]
//                                      wait for a window showing a control
//                                      whose text contains TEXT (a page of a
//                                      wizard, say)
//   winprobe focus TITLE CLASS [MS]    wait until the keyboard focus of the
//                                      window's thread is in a control of
//                                      this class (a wizard page's tree)
//   winprobe close TITLE               ask the window to close
//   winprobe loaded CLASS [MS]         wait for a window of this class, shown
//                                      or hidden
//   winprobe start-time PROGRAM [ARGS] start the program, print the
//                                      milliseconds until it has added an
//                                      icon to the notification area, end it

#include <windows.h>

#include <cstdio>
#include <string>

#include "programs.h"
#include "user_input.h"
#include "win32/wide_text.h"
#include "window_probe.h"

namespace {

using namespace keyreel;

constexpr const wchar_t* kPlayingMarker = L"Keyreel   \u00BB";

void print(const std::wstring& text) {
    const std::string utf8 = win32::toUtf8(text) + "\n";
    std::fwrite(utf8.data(), 1, utf8.size(), stdout);
    std::fflush(stdout);
}

DWORD timeoutArg(int argc, wchar_t** argv, int index) {
    return argc > index ? static_cast<DWORD>(_wtoi(argv[index])) : 10000;
}

HWND textHolder(HWND window) {
    for (const wchar_t* editClass : {L"Edit", L"RichEdit20W", L"RICHEDIT50W"}) {
        if (const HWND edit = probe::findChild(window, editClass))
            return edit;
    }
    return window;
}

int text(const wchar_t* title, DWORD timeoutMillis) {
    const HWND window = probe::findWindow(title);
    if (window == nullptr)
        return 1;
    const HWND holder = textHolder(window);
    // Settled: the same text over half a second.
    constexpr int kSameReadings = 5;
    std::wstring last = probe::windowText(holder);
    int same = 0;
    probe::waitFor(
        [&] {
            const std::wstring now = probe::windowText(holder);
            same = now == last ? same + 1 : 0;
            last = now;
            return same >= kSameReadings;
        },
        timeoutMillis, 100);
    print(last);
    return 0;
}

// Whether a visible control of `window`, at any depth, shows `textPart`.
bool showsText(HWND window, const std::wstring& textPart) {
    for (const probe::Child& child : probe::children(window, true)) {
        if (IsWindowVisible(child.hwnd) && child.text.find(textPart) != std::wstring::npos)
            return true;
    }
    return false;
}

int waitForFocusInClass(const wchar_t* title, const std::wstring& className, DWORD timeoutMillis) {
    const bool focused = probe::waitFor(
        [&] {
            const HWND window = probe::findWindow(title);
            const HWND focus = window != nullptr ? probe::focusOfThread(window) : nullptr;
            return focus != nullptr && probe::className(focus) == className;
        },
        timeoutMillis, 50);
    return focused ? 0 : 1;
}

int waitForChildText(const wchar_t* title, const std::wstring& text, DWORD timeoutMillis) {
    const bool shown = probe::waitFor(
        [&] {
            const HWND window = probe::findWindow(title);
            return window != nullptr && showsText(window, text);
        },
        timeoutMillis, 50);
    return shown ? 0 : 1;
}

// From CreateProcess to a new icon in the notification area, read every
// millisecond; the program is ended afterwards. Its icon may stay behind
// for a while, which the next start's count takes into account.
int startTime(const std::wstring& commandLine, DWORD timeoutMillis) {
    const int iconsBefore = probe::trayIconCount();
    LARGE_INTEGER frequency;
    LARGE_INTEGER started;
    LARGE_INTEGER iconShown;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&started);
    probe::ChildProcess program;
    if (!program.start(commandLine))
        return 1;
    const bool shown =
        probe::waitFor([&] { return probe::trayIconCount() > iconsBefore; }, timeoutMillis, 1);
    QueryPerformanceCounter(&iconShown);
    if (!shown)
        return 1;
    const double millis = static_cast<double>(iconShown.QuadPart - started.QuadPart) * 1000.0 /
                          static_cast<double>(frequency.QuadPart);
    std::printf("%.1f\n", millis);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2)
        return 2;
    const std::wstring command = argv[1];
    if (command == L"titles") {
        for (const std::wstring& title : probe::visibleTitles())
            print(title);
        return 0;
    }
    if (command == L"wait-play-end") {
        const DWORD timeout = timeoutArg(argc, argv, 2);
        if (probe::waitForWindow(kPlayingMarker, timeout) == nullptr)
            return 1;
        return probe::waitUntilGone(kPlayingMarker, timeout) ? 0 : 1;
    }
    if (argc < 3)
        return 2;
    const wchar_t* title = argv[2];
    if (command == L"wait") {
        const HWND window = probe::waitForWindow(title, timeoutArg(argc, argv, 3));
        if (window == nullptr)
            return 1;
        print(probe::windowText(window));
        return 0;
    }
    if (command == L"gone")
        return probe::waitUntilGone(title, timeoutArg(argc, argv, 3)) ? 0 : 1;
    if (command == L"wait-child")
        return argc < 4 ? 2 : waitForChildText(title, argv[3], timeoutArg(argc, argv, 4));
    if (command == L"focus")
        return argc < 4 ? 2 : waitForFocusInClass(title, argv[3], timeoutArg(argc, argv, 4));
    if (command == L"text")
        return text(title, timeoutArg(argc, argv, 3));
    if (command == L"loaded") {
        return probe::waitFor([&] { return FindWindowW(title, nullptr) != nullptr; },
                              timeoutArg(argc, argv, 3))
                   ? 0
                   : 1;
    }
    if (command == L"start-time") {
        std::wstring commandLine = L"\"" + std::wstring(title) + L"\"";
        for (int i = 3; i < argc; ++i)
            commandLine += L" \"" + std::wstring(argv[i]) + L"\"";
        return startTime(commandLine, 30000);
    }
    if (command == L"close") {
        const HWND window = probe::findWindow(title);
        return window != nullptr && PostMessageW(window, WM_CLOSE, 0, 0) ? 0 : 1;
    }
    return 2;
}
