#include "ui/window.h"

#include <cstdlib>
#include <optional>

#include "core/base/message_texts.h"
#include "core/base/product_texts.h"
#include "ui/resource_ids.h"
#include "win32/message_box.h"
#include "win32/wide_text.h"

namespace keyreel::ui {

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr UINT kDefaultDpi = 96;

std::optional<UINT> forcedDpi() {
    if (const char* forced = std::getenv("KEYREEL_DPI")) {
        const int value = std::atoi(forced);
        if (value >= 48 && value <= 960)
            return static_cast<UINT>(value);
    }
    return std::nullopt;
}

bool registerClassOnce(const wchar_t* className, WNDPROC windowProc) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(moduleInstance(), className, &existing))
        return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = moduleInstance();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.hIcon = programIcon();
    wc.lpszClassName = className;
    return RegisterClassExW(&wc) != 0;
}

}  // namespace

HINSTANCE moduleInstance() {
    return GetModuleHandleW(nullptr);
}

HICON programIcon() {
    return LoadIconW(moduleInstance(), MAKEINTRESOURCEW(KEYREEL_ICON_ID));
}

Window::~Window() {
    destroy();
}

bool Window::unload() {
    destroy();
    return true;
}

bool Window::isOwnWindow(HWND window) {
    return window != nullptr && reinterpret_cast<WNDPROC>(
                                    GetWindowLongPtrW(window, GWLP_WNDPROC)) == &Window::windowProc;
}

void Window::destroy() {
    if (hwnd_ != nullptr)
        DestroyWindow(hwnd_);
    hwnd_ = nullptr;
    font_.reset();
}

void Window::setTitle(const std::string& utf8) {
    SetWindowTextW(hwnd_, win32::toWide(utf8).c_str());
}

void Window::setControlText(int id, const std::string& utf8) {
    SetWindowTextW(control(id), win32::toWide(utf8).c_str());
}

int Window::toPixels(int twips) const {
    return MulDiv(twips, static_cast<int>(dpi_), kTwipsPerInch);
}

bool Window::create(const Frame& frame, const std::vector<ControlPlacement>& controls) {
    controls_ = controls;
    clientWidth_ = frame.clientWidth;
    clientHeight_ = frame.clientHeight;
    if (!createWindowAndControls(frame)) {
        // The menu bar stays with the caller, who still owns it.
        if (hwnd_ != nullptr)
            SetMenu(hwnd_, nullptr);
        destroy();
        // Short of window or GDI resources, most likely; the user learns
        // that the window is not there rather than wondering why.
        win32::showMessageBox(frame.owner, {windowNotOpenedMessage(frame.title), kAppTitle,
                                            MessageButtons::Ok, MessageIcon::Exclamation});
        return false;
    }
    applyLayout(nullptr);
    created();
    if (createdHandler_)
        createdHandler_();
    return true;
}

bool Window::createWindowAndControls(const Frame& frame) {
    if (!registerClassOnce(frame.className, windowProc))
        return false;
    // `this` arrives with WM_NCCREATE; windowProc binds it to the handle.
    CreateWindowExW(frame.exStyle, frame.className, win32::toWide(frame.title).c_str(), frame.style,
                    CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, frame.owner, frame.menu,
                    moduleInstance(), this);
    if (hwnd_ == nullptr)
        return false;
    dpi_ = forcedDpi().value_or(GetDpiForWindow(hwnd_));
    if (dpi_ == 0)
        dpi_ = kDefaultDpi;
    for (const ControlPlacement& placement : controls_) {
        if (CreateWindowExW(placement.exStyle, placement.className, placement.text,
                            placement.style | WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, hwnd_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(placement.id)),
                            moduleInstance(), nullptr) == nullptr)
            return false;
    }
    return true;
}

void Window::centerOnScreen(HWND insertAfter) {
    RECT window{};
    GetWindowRect(hwnd_, &window);
    POINT pointer{};
    GetCursorPos(&pointer);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint(pointer, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    SetWindowPos(hwnd_, insertAfter, (work.left + work.right - width) / 2,
                 (work.top + work.bottom - height) / 2, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
}

void Window::widenToMinimum() {
    RECT client{};
    GetClientRect(hwnd_, &client);
    const int missing = minimumClientWidth() - (client.right - client.left);
    if (missing <= 0)
        return;
    RECT frame{};
    GetWindowRect(hwnd_, &frame);
    SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left + missing, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::applyLayout(const RECT* suggestedFrame) {
    if (suggestedFrame != nullptr) {
        SetWindowPos(hwnd_, nullptr, suggestedFrame->left, suggestedFrame->top,
                     suggestedFrame->right - suggestedFrame->left,
                     suggestedFrame->bottom - suggestedFrame->top, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        RECT frame{0, 0, toPixels(clientWidth_), toPixels(clientHeight_)};
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE));
        const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE));
        AdjustWindowRectExForDpi(&frame, style, GetMenu(hwnd_) != nullptr, exStyle, dpi_);
        SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    widenToMinimum();
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi_);
    win32::OwnedFont font(CreateFontIndirectW(&metrics.lfMessageFont));
    for (const ControlPlacement& placement : controls_) {
        const HWND child = control(placement.id);
        MoveWindow(child, toPixels(placement.left), toPixels(placement.top),
                   toPixels(placement.width), toPixels(placement.height), TRUE);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    }
    // Every control draws with the new font before the old one goes.
    font_ = std::move(font);
}

LRESULT Window::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DPICHANGED) {
        const UINT newDpi = forcedDpi().value_or(HIWORD(wParam));
        if (newDpi != dpi_) {
            dpi_ = newDpi;
            applyLayout(reinterpret_cast<const RECT*>(lParam));
            dpiChanged();
        }
        return 0;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (self == nullptr)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return self->handleMessage(message, wParam, lParam);
}

std::string windowNotOpenedMessage(const std::string& title) {
    return fillIn(kWindowNotOpenedText, {title});
}

std::string controlText(HWND control) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return win32::toUtf8(text);
}

}  // namespace keyreel::ui
