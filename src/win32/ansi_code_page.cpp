#include "win32/ansi_code_page.h"

#include "win32/wide_text.h"

namespace keyreel::win32 {

Win32AnsiCodePage::Win32AnsiCodePage(UINT codePage)
    : codePage_(codePage == CP_ACP ? GetACP() : codePage) {}

std::string Win32AnsiCodePage::toUtf8(std::string_view bytes) const {
    if (bytes.empty())
        return {};
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(codePage_, 0, bytes.data(), size, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage_, 0, bytes.data(), size, wide.data(), length);
    return win32::toUtf8(wide);
}

std::optional<std::string> Win32AnsiCodePage::fromUtf8(std::string_view text) const {
    if (text.empty())
        return std::string();
    // Windows set to use UTF-8 as the ANSI code page: every character
    // survives, and the conversion refuses the flags used below.
    if (codePage_ == CP_UTF8) {
        if (!isValidUtf8(text))
            return std::nullopt;
        return std::string(text);
    }
    const std::wstring wide = toWide(text);
    const int size = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(codePage_, WC_NO_BEST_FIT_CHARS, wide.data(), size,
                                           nullptr, 0, nullptr, &usedDefault);
    if (length <= 0 || usedDefault)
        return std::nullopt;
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage_, WC_NO_BEST_FIT_CHARS, wide.data(), size, bytes.data(), length,
                        nullptr, &usedDefault);
    if (usedDefault)
        return std::nullopt;
    return bytes;
}

}  // namespace keyreel::win32
