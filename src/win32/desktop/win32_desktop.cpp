#include "win32/desktop/win32_desktop.h"

namespace keyreel::win32 {

namespace {

constexpr const wchar_t* kTickWindowClass = L"KeyreelDesktopTicks";

// 100-nanosecond intervals between 1601-01-01 and 1970-01-01.
constexpr std::int64_t kFileTimeTo1970 = 116444736000000000LL;

}  // namespace

Win32Desktop::Win32Desktop() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &Win32Desktop::tickWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kTickWindowClass;
    // A second desktop in the same process shares the class.
    ownsTickClass_ = RegisterClassExW(&windowClass) != 0;
    tickWindow_.reset(CreateWindowExW(0, kTickWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                      nullptr, instance, this));
}

Win32Desktop::~Win32Desktop() {
    tickWindow_.reset();
    // Fails harmlessly while another desktop still has a window of the class.
    if (ownsTickClass_)
        UnregisterClassW(kTickWindowClass, GetModuleHandleW(nullptr));
}

LRESULT CALLBACK Win32Desktop::tickWindowProc(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (message == WM_TIMER) {
        auto* desktop = reinterpret_cast<Win32Desktop*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        KillTimer(window, wParam);
        if (desktop != nullptr)
            desktop->tickArrived(wParam);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Win32Desktop::tickArrived(UINT_PTR timerId) {
    const auto pending = pendingTicks_.find(timerId);
    if (pending == pendingTicks_.end())
        return;
    *pending->second = true;
    pendingTicks_.erase(pending);
}

std::int64_t Win32Desktop::localTimeMillis() {
    FILETIME utc;
    GetSystemTimeAsFileTime(&utc);
    FILETIME local;
    if (!FileTimeToLocalFileTime(&utc, &local))
        local = utc;
    ULARGE_INTEGER ticks;
    ticks.LowPart = local.dwLowDateTime;
    ticks.HighPart = local.dwHighDateTime;
    return (static_cast<std::int64_t>(ticks.QuadPart) - kFileTimeTo1970) / 10000;
}

}  // namespace keyreel::win32
