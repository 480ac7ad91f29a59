#include "core/base/encoding.h"

namespace keyreel {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
constexpr char32_t kReplacement = 0xFFFD;

// Damaged UTF-8 with U+FFFD for each byte that starts no whole character, as
// damaged UTF-16 reads: every decoded text is UTF-8, whatever the file held.
std::string repairedUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t pos = 0; pos < bytes.size();)
        appendUtf8(text, decodeUtf8(bytes, pos));
    return text;
}

}  // namespace

std::string utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    const auto unitAt = [&](std::size_t i) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    };
    std::string text;
    text.reserve(bytes.size());
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const char32_t unit = unitAt(i);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
            const char32_t low = unitAt(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                appendUtf8(text, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        appendUtf8(text, unit >= 0xD800 && unit < 0xE000 ? kReplacement : unit);
    }
    if (i < bytes.size())
        appendUtf8(text, kReplacement);
    return text;
}

std::string decodeFileText(std::string_view bytes, const AnsiCodePage& codePage) {
    // What Windows calls "Unicode" (Notepad, PowerShell 5's redirection)
    // is UTF-16 with a byte-order mark.
    if (bytes.starts_with(kUtf16LeBom) || bytes.starts_with(kUtf16BeBom)) {
        const bool bigEndian = bytes.starts_with(kUtf16BeBom);
        bytes.remove_prefix(kUtf16LeBom.size());
        return utf16ToUtf8(bytes, bigEndian);
    }
    if (bytes.starts_with(kUtf8Bom)) {
        bytes.remove_prefix(kUtf8Bom.size());
        return isValidUtf8(bytes) ? std::string(bytes) : repairedUtf8(bytes);
    }
    // ASCII reads the same in UTF-8 and in every ANSI code page, and most
    // files are ASCII: no conversion character by character for them.
    if (isAscii(bytes) || isValidUtf8(bytes))
        return std::string(bytes);
    return codePage.toUtf8(bytes);
}

std::string encodeFileText(std::string_view text, const AnsiCodePage& codePage) {
    // Plain ASCII is the same in every code page and is never taken for
    // UTF-8 when read back.
    if (isAscii(text))
        return std::string(text);
    // Single-byte text that looks like UTF-8 (or starts with the bytes of a
    // byte-order mark) would be read back as UTF-8 or UTF-16: "Ã©" would come
    // back as "é", "ÿþ..." as UTF-16. Such text is written as UTF-8 with a
    // byte-order mark instead.
    if (auto single = codePage.fromUtf8(text)) {
        const bool readBackAsOther =
            single->starts_with(kUtf8Bom) || single->starts_with(kUtf16LeBom) ||
            single->starts_with(kUtf16BeBom) || (!isAscii(*single) && isValidUtf8(*single));
        if (!readBackAsOther)
            return std::move(*single);
    }
    std::string bytes(kUtf8Bom);
    bytes += text;
    return bytes;
}

}  // namespace keyreel
