#include "core/base/text.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace keyreel {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

int sequenceLength(unsigned char lead) {
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// The 0x80-0x9F block of Windows-1252; 0 marks the five undefined bytes,
// which map to the C1 control of the same number, as Windows does.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t cp1252ToCodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F && kCp1252High[byte - 0x80] != 0) {
        return kCp1252High[byte - 0x80];
    }
    return byte;
}

std::optional<unsigned char> codePointToCp1252(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<unsigned char>(cp);
    for (std::size_t i = 0; i < kCp1252High.size(); ++i) {
        const char16_t mapped = kCp1252High[i];
        if ((mapped != 0 && mapped == cp) || (mapped == 0 && cp == 0x80 + i)) {
            return static_cast<unsigned char>(0x80 + i);
        }
    }
    return std::nullopt;
}

}  // namespace

char32_t decodeUtf8(std::string_view text, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    const int length = sequenceLength(lead);
    if (length == 1) {
        ++pos;
        return lead;
    }
    if (length == 0 || pos + length > text.size()) {
        ++pos;
        return kReplacement;
    }
    char32_t cp = lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[pos + k]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return kReplacement;
        }
        cp = (cp << 6) | (next & 0x3F);
    }
    const bool overlong = (length == 3 && cp < 0x800) || (length == 4 && cp < 0x10000);
    if (overlong || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++pos;
        return kReplacement;
    }
    pos += length;
    return cp;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

bool isValidUtf8(std::string_view bytes) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t before = pos;
        const char32_t cp = decodeUtf8(bytes, pos);
        // A genuine U+FFFD in the text is three bytes long; a decoding
        // failure advances by one.
        if (cp == kReplacement && pos - before == 1)
            return false;
    }
    return true;
}

bool isAscii(std::string_view bytes) {
    // Eight bytes at a time: whole files are checked on every load and save.
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t block;
        std::memcpy(&block, bytes.data() + i, 8);
        if ((block & kHighBits) != 0)
            return false;
    }
    for (; i < bytes.size(); ++i) {
        if (static_cast<unsigned char>(bytes[i]) >= 0x80)
            return false;
    }
    return true;
}

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool isAllBlank(std::string_view text) {
    return trimBlanks(text).empty();
}

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        // A plain scan: macro files run to many thousands of lines, and
        // find_first_of looks up every character in its set.
        std::size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        lines.push_back(text.substr(start, end - start));
        if (end == text.size())
            break;
        const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        start = end + (crLf ? 2 : 1);
    }
    return lines;
}

std::string withCrLfLineEnds(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            out += "\r\n";
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

std::size_t utf16Length(std::string_view text) {
    std::size_t units = 0;
    for (std::size_t pos = 0; pos < text.size();)
        units += decodeUtf8(text, pos) > 0xFFFF ? 2 : 1;
    return units;
}

std::string toLowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

std::string toLowerForSearch(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        char32_t cp = decodeUtf8(text, pos);
        if ((cp >= 'A' && cp <= 'Z') || (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7))
            cp += 0x20;
        appendUtf8(out, cp);
    }
    return out;
}

std::string quoted(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            default:
                if (byte < 0x20 || byte == 0x7F) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\x%02X", byte);
                    out += buf;
                } else {
                    out += c;
                }
        }
    }
    out += '"';
    return out;
}

std::string Windows1252::toUtf8(std::string_view bytes) const {
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes)
        appendUtf8(out, cp1252ToCodePoint(static_cast<unsigned char>(c)));
    return out;
}

std::optional<std::string> Windows1252::fromUtf8(std::string_view text) const {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto byte = codePointToCp1252(decodeUtf8(text, pos));
        if (!byte)
            return std::nullopt;
        out += static_cast<char>(*byte);
    }
    return out;
}

const AnsiCodePage& defaultCodePage() {
    static const Windows1252 codePage;
    return codePage;
}

}  // namespace keyreel
