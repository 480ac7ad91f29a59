// Bytes from outside: a file's text in any encoding and the download mark's
// stream. Decoded text is UTF-8, and what a save writes reads back the same.

#include "core/base/encoding.h"
#include "core/base/text.h"
#include "core/base/web_mark.h"
#include "fuzz_check.h"

FUZZ_TARGET(bytes) {
    using namespace keyreel;
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t before = pos;
        FUZZ_CHECK(decodeUtf8(bytes, pos) <= 0x10FFFF && pos > before && pos <= bytes.size());
    }
    const AnsiCodePage& codePage = defaultCodePage();
    const std::string text = decodeFileText(bytes, codePage);
    FUZZ_CHECK(isValidUtf8(text));
    FUZZ_CHECK(decodeFileText(encodeFileText(text, codePage), codePage) == text);
    for (const bool bigEndian : {false, true})
        FUZZ_CHECK(isValidUtf8(utf16ToUtf8(bytes, bigEndian)));

    // A stream that names no zone leaves the file in doubt, which marks it, as
    // the zone manager's internet zone does whatever the stream says.
    const ZoneStream stream{ZoneStream::State::Read, std::string(bytes)};
    const auto zone = zoneOfStream(bytes);
    FUZZ_CHECK(!zone || *zone < 1000000000);
    FUZZ_CHECK(webMarked(stream, std::nullopt) == (!zone || *zone > 2));
    FUZZ_CHECK(webMarked(stream, 3));
}
