// A window for macros to type into: "KR Target", or as calc.exe "Calculator", which Wine lacks.

#include <windows.h>

#include <cwchar>

namespace {

LRESULT CALLBACK targetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        // A macro may find the window by its title and focus it before it is even shown.
        case WM_CREATE:
            return CreateWindowExW(0, L"EDIT", L"",
                                   WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN, 0, 0, 400,
                                   200, hwnd, reinterpret_cast<HMENU>(1),
                                   reinterpret_cast<const CREATESTRUCTW*>(lParam)->hInstance,
                                   nullptr) != nullptr
                       ? 0
                       : -1;
        case WM_SETFOCUS:
            SetFocus(GetDlgItem(hwnd, 1));
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = targetProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"KeyreelE2ETarget";
    RegisterClassExW(&wc);
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    const bool calculator = lstrcmpiW(wcsrchr(path, L'\\') + 1, L"calc.exe") == 0;
    const HWND frame = CreateWindowExW(
        0, wc.lpszClassName, calculator ? L"Calculator" : L"KR Target", WS_OVERLAPPEDWINDOW, 300,
        300, 400, 200, nullptr, nullptr, instance, nullptr);
    ShowWindow(frame, SW_SHOW);
    SetForegroundWindow(frame);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
