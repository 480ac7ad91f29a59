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

}  // namespace

bool markedFromInternet(std::string_view zoneIdentifier) {
    const std::string text = narrowed(zoneIdentifier);
    bool inZoneTransfer = false;
    for (const std::string_view rawLine : splitLines(text)) {
        const std::string_view line = trimBlanks(rawLine);
        if (line.starts_with('[')) {
            inZoneTransfer = line.ends_with(']') &&
                             sameWord(trimBlanks(line.substr(1, line.size() - 2)), "ZoneTransfer");
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inZoneTransfer || equals == std::string_view::npos ||
            !sameWord(trimBlanks(line.substr(0, equals)), "ZoneId"))
            continue;
        const std::string_view value = trimBlanks(line.substr(equals + 1));
        return value == "3" || value == "4";
    }
    return false;
}

}  // namespace keyreel
