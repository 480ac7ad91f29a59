#include "core/base/web_mark.h"

#include <string>

#include "core/base/text.h"

namespace keyreel {

namespace {

// The stream's text as 8-bit characters: UTF-16 little-endian text (the
// names and digits that matter are ASCII) loses its zero bytes.
std::string narrowed(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) {
        std::string text;
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
            text += bytes[i + 1] == '\0' ? bytes[i] : '?';
        return text;
    }
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    return std::string(bytes);
}

bool sameWord(std::string_view text, std::string_view word) {
    return toLowerAscii(text) == toLowerAscii(word);
}

// Digits only, and few enough to fit a zone number.
std::optional<std::uint32_t> zoneNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 9 ||
        digits.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    std::uint32_t zone = 0;
    for (const char digit : digits)
        zone = zone * 10 + static_cast<std::uint32_t>(digit - '0');
    return zone;
}

bool markingZone(std::uint32_t zone) {
    constexpr std::uint32_t kTrustedSites = 2;
    return zone > kTrustedSites;
}

}  // namespace

std::optional<std::uint32_t> zoneOfStream(std::string_view bytes) {
    const std::string text = narrowed(bytes);
    bool inZoneTransfer = false;
    for (const std::string_view rawLine : splitLines(text)) {
        const std::string_view line = trimBlanks(rawLine);
        if (line.starts_with('[')) {
            inZoneTransfer = line.ends_with(']') &&
                             sameWord(trimBlanks(line.substr(1, line.size() - 2)), "ZoneTransfer");
            continue;
        }
        const std::size_t equals = line.find('=');
        if (inZoneTransfer && equals != std::string_view::npos &&
            sameWord(trimBlanks(line.substr(0, equals)), "ZoneId"))
            return zoneNumber(trimBlanks(line.substr(equals + 1)));
    }
    return std::nullopt;
}

bool webMarked(const ZoneStream& stream, LocationZone locationZone) {
    if (locationZone && markingZone(*locationZone))
        return true;
    switch (stream.state) {
        case ZoneStream::State::Absent:
            return false;
        case ZoneStream::State::Unreadable:
            return true;
        case ZoneStream::State::Read:
            break;
    }
    const auto zone = zoneOfStream(stream.text);
    return !zone || markingZone(*zone);
}

}  // namespace keyreel
