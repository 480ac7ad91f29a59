#include "test_window.h"

#include <array>
#include <cstdio>

#include "wide_text.h"

namespace keyreel::win32 {

namespace {

constexpr const wchar_t* kClassName = L"KeyreelTestWindow";

ATOM registerTestClass(WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    return RegisterClassExW(&windowClass);
}

std::string hex(WPARAM value) {
    std::array<char, 16> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "0x%02X", static_cast<unsigned>(value));
    return buffer.data();
}

}  // namespace

TestWindow::TestWindow(const std::string& title, Content content, bool shown) {
    static const ATOM registered = registerTestClass(&TestWindow::windowProc);
    (void)registered;
    window_ = CreateWindowExW(0, kClassName, toWide(title).c_str(), WS_OVERLAPPEDWINDOW, 200, 150,
                              480, 320, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (content == Content::Edit) {
        RECT client;
        GetClientRect(window_, &client);
        edit_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0,
                                client.right, client.bottom, window_, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    }
    if (shown) {
        ShowWindow(window_, SW_SHOWNORMAL);
        bringToFront();
    }
}

TestWindow::~TestWindow() {
    if (exists())
        DestroyWindow(window_);
    settle();
}

LRESULT CALLBACK TestWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* created = static_cast<TestWindow*>(create->lpCreateParams);
        created->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr || self->window_ != window) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->handle(message, wParam, lParam);
}

void TestWindow::record(const char* name, LPARAM point) {
    events_.push_back(std::string(name) + " " + std::to_string(static_cast<short>(LOWORD(point))) +
                      "," + std::to_string(static_cast<short>(HIWORD(point))));
}

LRESULT TestWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            record("ldown", lParam);
            break;
        case WM_LBUTTONUP:
            record("lup", lParam);
            break;
        case WM_LBUTTONDBLCLK:
            record("ldbl", lParam);
            break;
        case WM_RBUTTONDOWN:
            record("rdown", lParam);
            break;
        case WM_RBUTTONUP:
            record("rup", lParam);
            break;
        case WM_RBUTTONDBLCLK:
            record("rdbl", lParam);
            break;
        case WM_KEYDOWN:
            events_.push_back("keydown " + hex(wParam));
            break;
        case WM_KEYUP:
            events_.push_back("keyup " + hex(wParam));
            break;
        case WM_SYSKEYDOWN:
            events_.push_back("syskeydown " + hex(wParam));
            break;
        case WM_SYSKEYUP:
            events_.push_back("syskeyup " + hex(wParam));
            break;
        case WM_CLOSE:
            events_.push_back("close");
            break;
        case WM_SETFOCUS:
            if (edit_ != nullptr)
                SetFocus(edit_);
            return 0;
        case WM_APP:
            events_.push_back("app " + std::to_string(wParam));
            if (onApp)
                onApp();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

std::string TestWindow::text() const {
    return windowText(edit_);
}

POINT TestWindow::onScreen(int x, int y) const {
    POINT point{x, y};
    ClientToScreen(window_, &point);
    return point;
}

void TestWindow::bringToFront() {
    SetForegroundWindow(window_);
    BringWindowToTop(window_);
    SetFocus(edit_ != nullptr ? edit_ : window_);
    pumpUntil([this] { return GetForegroundWindow() == window_; });
    settle();
}

bool pumpUntil(const std::function<bool()>& done) {
    const ULONGLONG giveUp = GetTickCount64() + 10000;
    while (!done()) {
        if (GetTickCount64() > giveUp)
            return false;
        MsgWaitForMultipleObjectsEx(0, nullptr, 10, QS_ALLINPUT, 0);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return true;
}

void settle() {
    const ULONGLONG until = GetTickCount64() + 50;
    pumpUntil([until] { return GetTickCount64() >= until; });
}

std::string windowText(HWND window) {
    const auto length = static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto copied = static_cast<int>(
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return toUtf8(text);
}

}  // namespace keyreel::win32
