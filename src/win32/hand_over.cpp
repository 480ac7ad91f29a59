#include "win32/hand_over.h"

#include <string_view>

#include "core/main_window/hand_over_payload.h"
#include "win32/owned.h"
#include "win32/wide_text.h"
#include "win32/win32_file_store.h"

namespace keyreel::win32 {

namespace {

constexpr UINT kSendTimeoutMillis = 10000;

// The running copy's mutex exists a moment before its main window does.
HWND waitForMainWindow(const wchar_t* mainWindowClass, DWORD waitMillis) {
    const ULONGLONG giveUp = GetTickCount64() + waitMillis;
    for (;;) {
        if (const HWND window = FindWindowW(mainWindowClass, nullptr))
            return window;
        if (GetTickCount64() >= giveUp)
            return nullptr;
        Sleep(50);
    }
}

// Sends `bytes` under `tag` to the running copy's main window; true when
// the window took them.
bool sendToRunningCopy(const wchar_t* mainWindowClass, std::uint64_t tag, const void* bytes,
                       std::size_t size, DWORD waitMillis) {
    const HWND window = waitForMainWindow(mainWindowClass, waitMillis);
    if (window == nullptr)
        return false;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    // The running copy shows its window in front: only the program in front
    // (this one, whose message box or start the user just saw) may hand
    // that on.
    AllowSetForegroundWindow(process);
    COPYDATASTRUCT data{static_cast<ULONG_PTR>(tag), static_cast<DWORD>(size),
                        const_cast<void*>(bytes)};
    DWORD_PTR result = FALSE;
    // The running copy only copies the text, or shows its window, and
    // returns: a play under way does not hold this copy up.
    const LRESULT sent =
        SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                            SMTO_ABORTIFHUNG, kSendTimeoutMillis, &result);
    return sent != 0 && result == TRUE;
}

}  // namespace

bool handOverToRunningCopy(const wchar_t* mainWindowClass, const std::wstring& commandLine,
                           DWORD waitMillis) {
    return sendToRunningCopy(mainWindowClass, kHandOverTag, commandLine.data(),
                             commandLine.size() * sizeof(wchar_t), waitMillis);
}

bool showRunningCopy(const wchar_t* mainWindowClass, DWORD waitMillis) {
    return sendToRunningCopy(mainWindowClass, kShowWindowTag, nullptr, 0, waitMillis);
}

std::wstring fullPathOf(const std::wstring& path) {
    const DWORD size = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0)
        return {};
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size)
        return {};
    full.resize(length);
    return full;
}

std::optional<std::string> handedOverCommandLine(const COPYDATASTRUCT& data) {
    if (data.cbData > 0 && data.lpData == nullptr)
        return std::nullopt;
    return keyreel::handedOverCommandLine(
        data.dwData, std::string_view(static_cast<const char*>(data.lpData), data.cbData));
}

bool asksToShowWindow(const COPYDATASTRUCT& data) {
    // The request has no bytes: with any, it is another request.
    return data.cbData == 0 && keyreel::asksToShowWindow(data.dwData, {});
}

bool carriesWebMark(const std::wstring& path) {
    Win32FileStore files;
    return files.webMarked(toUtf8(path));
}

}  // namespace keyreel::win32
