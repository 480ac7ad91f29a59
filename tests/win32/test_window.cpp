#include "test_window.h"

#include <windowsx.h>

#include <cstdint>
#include <utility>

#include "user_input.h"
#include "win32/wide_text.h"

namespace keyreel::win32 {

namespace {

constexpr std::pair<UINT, const char*> kRecorded[] = {
    {WM_LBUTTONDOWN, "ldown"}, {WM_LBUTTONUP, "lup"}, {WM_LBUTTONDBLCLK, "ldbl"},
    {WM_RBUTTONDOWN, "rdown"}, {WM_RBUTTONUP, "rup"}, {WM_RBUTTONDBLCLK, "rdbl"},
    {WM_KEYDOWN, "keydown"},   {WM_KEYUP, "keyup"},   {WM_SYSKEYDOWN, "syskeydown"},
    {WM_SYSKEYUP, "syskeyup"}, {WM_HOTKEY, "hotkey"}, {WM_APP, "app"}};

}  // namespace

TestWindow::TestWindow(const std::string& title, Content content, bool shown) {
    const WNDCLASSW windowClass(CS_DBLCLKS, &TestWindow::windowProc, 0, 0,
                                GetModuleHandleW(nullptr), nullptr, nullptr, nullptr, nullptr,
                                kClassName);
    RegisterClassW(&windowClass);  // fails harmlessly once registered
    window_ = CreateWindowExW(0, kClassName, toWide(title).c_str(), WS_OVERLAPPEDWINDOW, 200, 150,
                              480, 320, nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (content == Content::Edit) {
        edit_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 480,
                                320, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    if (shown) {
        ShowWindow(window_, SW_SHOWNORMAL);
        bringToFront();
    }
}

TestWindow::~TestWindow() {
    if (exists())
        DestroyWindow(window_);
    probe::settle();
}

LRESULT CALLBACK TestWindow::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(
                              reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self != nullptr ? self->handle(window, message, wParam, lParam)
                           : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT TestWindow::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (const std::optional<LRESULT> result =
            onMessage ? onMessage(message, wParam, lParam) : std::nullopt)
        return *result;
    const bool mouse = message >= WM_MOUSEFIRST && message <= WM_MOUSELAST;
    for (const auto& [recorded, name] : kRecorded) {
        if (recorded == message)
            events_.push_back(std::string(name) + " " +
                              (mouse ? std::to_string(GET_X_LPARAM(lParam)) + "," +
                                           std::to_string(GET_Y_LPARAM(lParam))
                                     : std::to_string(static_cast<std::int32_t>(wParam))));
    }
    if (message == WM_SETFOCUS && edit_ != nullptr) {
        SetFocus(edit_);
        return 0;
    }
    if (message == WM_APP) {
        if (onApp)
            onApp(wParam);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void TestWindow::bringToFront() {
    probe::bringToFront(window_, edit_ != nullptr ? edit_ : window_, 10000);
    probe::settle();
}

std::string TestWindow::text() const {
    return toUtf8(probe::windowText(edit_));
}

}  // namespace keyreel::win32
