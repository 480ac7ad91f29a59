#include "core/base/encoding.h"

namespace keyreel {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

std::string decodeFileText(std::string_view bytes, const AnsiCodePage& codePage) {
    if (bytes.starts_with(kUtf8Bom)) {
        bytes.remove_prefix(kUtf8Bom.size());
        return std::string(bytes);
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
    // byte-order mark) would be read back as UTF-8: "Ã©" would come back as
    // "é". Such text is written as UTF-8 with a byte-order mark instead.
    if (auto single = codePage.fromUtf8(text)) {
        const bool readBackAsUtf8 =
            single->starts_with(kUtf8Bom) || (!isAscii(*single) && isValidUtf8(*single));
        if (!readBackAsUtf8)
            return std::move(*single);
    }
    std::string bytes(kUtf8Bom);
    bytes += text;
    return bytes;
}

}  // namespace keyreel
