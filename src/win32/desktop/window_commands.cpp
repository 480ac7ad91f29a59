// The top-level windows of the session: titles in stacking order, the close
// request and activation by title.

#include <array>

#include "win32/desktop/win32_desktop.h"
#include "win32/send_input.h"
#include "win32/wide_text.h"

namespace keyreel::win32 {

namespace {

// Titles are read into 260 characters: at most 259 and the terminator.
constexpr int kTitleBuffer = 260;

std::wstring titleOf(HWND window) {
    std::array<wchar_t, kTitleBuffer> buffer{};
    const int length = GetWindowTextW(window, buffer.data(), kTitleBuffer);
    return std::wstring(buffer.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

BOOL CALLBACK collectTitle(HWND window, LPARAM titles) {
    reinterpret_cast<std::vector<std::string>*>(titles)->push_back(toUtf8(titleOf(window)));
    return TRUE;
}

struct LongTitleSearch {
    std::wstring start;
    HWND found = nullptr;
};

BOOL CALLBACK matchLongTitle(HWND window, LPARAM search) {
    auto* wanted = reinterpret_cast<LongTitleSearch*>(search);
    const std::wstring title = titleOf(window);
    if (CompareStringOrdinal(title.data(), static_cast<int>(title.size()), wanted->start.data(),
                             static_cast<int>(wanted->start.size()), TRUE) != CSTR_EQUAL) {
        return TRUE;
    }
    wanted->found = window;
    return FALSE;
}

// The top-level window with this title, case ignored. The title search only
// ever sees the first 259 characters of a title, so a title of that length
// also finds the window whose longer title starts with it.
HWND findTopLevelWindow(const std::string& exactTitle) {
    const std::wstring title = toWide(exactTitle);
    if (const HWND window = FindWindowW(nullptr, title.c_str()))
        return window;
    if (title.size() != kTitleBuffer - 1)
        return nullptr;
    LongTitleSearch search{title};
    EnumWindows(&matchLongTitle, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Shares this thread's input state with another thread's for its lifetime,
// which lets this thread set the foreground and the focus there.
class InputLink {
  public:
    explicit InputLink(DWORD otherThread)
        : self_(GetCurrentThreadId()),
          other_(otherThread),
          linked_(other_ != 0 && other_ != self_ && AttachThreadInput(self_, other_, TRUE)) {}
    ~InputLink() {
        if (linked_)
            AttachThreadInput(self_, other_, FALSE);
    }
    InputLink(const InputLink&) = delete;
    InputLink& operator=(const InputLink&) = delete;

  private:
    DWORD self_;
    DWORD other_;
    bool linked_;
};

DWORD threadOf(HWND window) {
    return window != nullptr ? GetWindowThreadProcessId(window, nullptr) : 0;
}

bool threadHasFocus(DWORD thread) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread, &info) && info.hwndFocus != nullptr;
}

// The usual means past the foreground lock, which otherwise lets only the
// foreground program hand the foreground on: be the last sender of input,
// and share the input state of the foreground thread and of the target.
void bringToForeground(HWND window) {
    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);
    claimForegroundRight();
    const DWORD foregroundThread = threadOf(GetForegroundWindow());
    const DWORD targetThread = threadOf(window);
    const InputLink toForeground(foregroundThread);
    const InputLink toTarget(targetThread != foregroundThread ? targetThread : 0);
    SetForegroundWindow(window);
    // Activation alone does not raise the window everywhere (Wine).
    BringWindowToTop(window);
    // The window restores the focus to the control that had it when it is
    // activated; only a window with no focus at all gets it on its frame.
    if (!threadHasFocus(targetThread))
        SetFocus(window);
}

// Under an X window manager activation is asynchronous: the focus events of
// an earlier activation (Keyreel's own window, say) may arrive after this one
// and take the foreground back, and keys sent then are lost. So the window
// must hold the foreground for a moment, and is activated again when it loses
// it. The window system's events are handled meanwhile (PeekMessage does
// that even when it retrieves nothing), but no message of the program is, so
// this is no point where a Stop or a hot key could act.
void settleForeground(HWND window) {
    constexpr ULONGLONG kGiveUpMillis = 1000;
    constexpr ULONGLONG kHoldMillis = 150;
    const ULONGLONG start = GetTickCount64();
    ULONGLONG heldSince = start;
    for (ULONGLONG now = start; now - start < kGiveUpMillis; now = GetTickCount64()) {
        MSG none;
        PeekMessageW(&none, nullptr, WM_APP + 0x3FFF, WM_APP + 0x3FFF, PM_NOREMOVE);
        if (!IsWindow(window))
            return;
        if (GetForegroundWindow() != window) {
            SetForegroundWindow(window);
            heldSince = now;
        } else if (now - heldSince >= kHoldMillis) {
            return;
        }
        Sleep(10);
    }
}
}  // namespace

std::vector<std::string> Win32Desktop::windowTitles() {
    std::vector<std::string> titles;
    EnumWindows(&collectTitle, reinterpret_cast<LPARAM>(&titles));
    return titles;
}

bool Win32Desktop::closeWindow(const std::string& exactTitle) {
    const HWND window = findTopLevelWindow(exactTitle);
    return window != nullptr && PostMessageW(window, WM_CLOSE, 0, 0);
}

bool Win32Desktop::activateWindow(const std::string& exactTitle) {
    const HWND window = findTopLevelWindow(exactTitle);
    if (window == nullptr)
        return false;
    bringToForeground(window);
    settleForeground(window);
    return true;
}

}  // namespace keyreel::win32
