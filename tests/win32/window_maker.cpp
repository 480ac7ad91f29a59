#include "window_maker.h"

#include <algorithm>
#include <utility>

namespace keyreel::win32 {

LONGLONG performanceCounter() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double counterMillis(LONGLONG ticks) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(ticks) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

WindowMaker::WindowMaker(Plan plan)
    : plan_(std::move(plan)),
      stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
      thread_([this] { run(); }) {}

WindowMaker::~WindowMaker() {
    SetEvent(stop_);
    thread_.join();
    CloseHandle(stop_);
}

void WindowMaker::run() {
    if (WaitForSingleObject(stop_, static_cast<DWORD>(plan_.createAfterMillis)) == WAIT_OBJECT_0)
        return;
    bool renamePending = plan_.renameAfterMillis >= 0;
    const HWND window =
        CreateWindowExW(0, L"STATIC", plan_.createdTitle.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 200,
                        100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!renamePending)
        titledAt_ = performanceCounter();
    const ULONGLONG renameAt =
        GetTickCount64() + static_cast<ULONGLONG>(std::max(plan_.renameAfterMillis, 0));
    for (;;) {
        DWORD timeout = INFINITE;
        if (renamePending) {
            const ULONGLONG now = GetTickCount64();
            timeout = now >= renameAt ? 0 : static_cast<DWORD>(renameAt - now);
        }
        const DWORD woke =
            MsgWaitForMultipleObjectsEx(1, &stop_, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke == WAIT_OBJECT_0)
            break;
        if (woke == WAIT_TIMEOUT && renamePending) {
            renamePending = false;
            SetWindowTextW(window, plan_.finalTitle.c_str());
            titledAt_ = performanceCounter();
        }
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    DestroyWindow(window);
}

}  // namespace keyreel::win32
