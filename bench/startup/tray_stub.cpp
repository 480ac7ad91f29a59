// tray_stub: the least a tray program does at start (a hidden window and
// one notification-area icon, then its message loop), for comparing
// Keyreel's start-up with under Wine (scripts/measure_performance.sh).

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace {

constexpr UINT kIconMessage = WM_APP + 1;

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// The icon, removed again with this object.
class TrayIcon {
  public:
    explicit TrayIcon(HWND window) {
        data_.cbSize = sizeof data_;
        data_.hWnd = window;
        data_.uID = 1;
        data_.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
        data_.uCallbackMessage = kIconMessage;
        data_.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
        lstrcpynW(data_.szTip, L"tray stub", ARRAYSIZE(data_.szTip));
        Shell_NotifyIconW(NIM_ADD, &data_);
    }
    ~TrayIcon() { Shell_NotifyIconW(NIM_DELETE, &data_); }
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

  private:
    NOTIFYICONDATAW data_{};
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &windowProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"KeyreelTrayStub";
    if (RegisterClassW(&windowClass) == 0)
        return 1;
    const HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"tray stub",
                                        WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 200, 100,
                                        nullptr, nullptr, instance, nullptr);
    if (window == nullptr)
        return 1;
    const TrayIcon icon(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
    return 0;
}
