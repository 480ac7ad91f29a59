// The readers of bytes from outside: a file's text in any of its encodings
// (code page, UTF-8, UTF-16 either way round) and the download mark's
// stream. Every decoded text is UTF-8, and what a save writes reads back as
// the same text.

#include "core/base/encoding.h"
#include "core/base/text.h"
#include "core/base/web_mark.h"
#include "fuzz_check.h"

namespace keyreel {
namespace {

void checkUtf8Decoder(std::string_view bytes) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t before = pos;
        const char32_t codePoint = decodeUtf8(bytes, pos);
        FUZZ_CHECK(pos > before && pos <= bytes.size());
        FUZZ_CHECK(codePoint <= 0x10FFFF);
    }
}

void checkFileText(std::string_view bytes) {
    const AnsiCodePage& codePage = defaultCodePage();
    const std::string text = decodeFileText(bytes, codePage);
    FUZZ_CHECK(isValidUtf8(text));
    FUZZ_CHECK(decodeFileText(encodeFileText(text, codePage), codePage) == text);
    for (const bool bigEndian : {false, true})
        FUZZ_CHECK(isValidUtf8(utf16ToUtf8(bytes, bigEndian)));
}

// Whatever the stream holds, it names a zone or leaves the file in doubt,
// which marks it; the zone manager's internet zone marks it whatever it says.
void checkZoneStream(std::string_view bytes) {
    const ZoneStream stream{ZoneStream::State::Read, std::string(bytes)};
    const auto zone = zoneOfStream(bytes);
    FUZZ_CHECK(!zone || *zone < 1000000000);
    FUZZ_CHECK(webMarked(stream, std::nullopt) == (!zone || *zone > 2));
    FUZZ_CHECK(webMarked(stream, 3));
}

}  // namespace
}  // namespace keyreel

FUZZ_TARGET(bytes) {
    keyreel::checkUtf8Decoder(bytes);
    keyreel::checkFileText(bytes);
    keyreel::checkZoneStream(bytes);
}
