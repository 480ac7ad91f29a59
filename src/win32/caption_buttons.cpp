#include "win32/caption_buttons.h"

#include <dwmapi.h>

#include "win32/owned.h"

namespace keyreel::win32 {

std::optional<RECT> captionButtonBounds(HWND window) {
    // dwmapi.dll is no KnownDLL: imported, it would be looked for in the
    // program's folder first, at start. Loaded here, it comes from the
    // system folder only.
    const OwnedLibrary dwm(LoadLibraryExW(L"dwmapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    if (!dwm)
        return std::nullopt;
    using GetWindowAttribute = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);
    const auto getWindowAttribute = reinterpret_cast<GetWindowAttribute>(
        reinterpret_cast<void*>(GetProcAddress(dwm.get(), "DwmGetWindowAttribute")));
    RECT bounds{};
    if (getWindowAttribute == nullptr ||
        FAILED(getWindowAttribute(window, DWMWA_CAPTION_BUTTON_BOUNDS, &bounds, sizeof bounds))) {
        return std::nullopt;
    }
    return bounds;
}

}  // namespace keyreel::win32
