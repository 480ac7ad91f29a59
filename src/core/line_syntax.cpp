#include "line_syntax.h"

#include <limits>

namespace keyreel {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view skipLeadingSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    return text;
}

}  // namespace

std::string_view nextToken(std::string_view& text, char delimiter) {
    const auto pos = text.find(delimiter);
    if (pos == std::string_view::npos) {
        const std::string_view token = text;
        text = {};
        return token;
    }
    const std::string_view token = text.substr(0, pos);
    text.remove_prefix(pos + 1);
    return token;
}

std::string_view textBefore(std::string_view text, char delimiter) {
    const auto pos = text.find(delimiter);
    return pos == std::string_view::npos ? text : text.substr(0, pos);
}

std::string_view textAfter(std::string_view text, char delimiter) {
    const auto pos = text.find(delimiter);
    return pos == std::string_view::npos ? text : text.substr(pos + 1);
}

std::string_view lineValue(std::string_view line) {
    std::string_view value = textAfter(line, '>');
    if (value.find('>') != std::string_view::npos)
        value = textAfter(value, '>');
    return skipLeadingSpaces(value);
}

std::optional<std::int64_t> parseNumber(std::string_view text, std::int64_t min, std::int64_t max) {
    text = trimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const std::string_view whole = textBefore(text, '.');
    const bool hasPoint = whole.size() < text.size();
    const std::string_view fraction = hasPoint ? text.substr(whole.size() + 1) : std::string_view{};
    if (whole.empty() && fraction.empty())
        return std::nullopt;

    // Values far outside 64 bits are rejected before they can overflow.
    constexpr std::int64_t kLimit = std::numeric_limits<std::int64_t>::max() / 10 - 1;
    std::int64_t magnitude = 0;
    for (const char c : whole) {
        if (c < '0' || c > '9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > kLimit)
            return std::nullopt;
    }
    for (const char c : fraction) {
        if (c < '0' || c > '9')
            return std::nullopt;
    }
    // Round half to even: compare the fraction with one half.
    if (!fraction.empty() && fraction.front() >= '5') {
        const bool exactlyHalf = fraction.front() == '5' && fraction.substr(1).find_first_not_of(
                                                                '0') == std::string_view::npos;
        if (!exactlyHalf || magnitude % 2 == 1)
            ++magnitude;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < min || value > max)
        return std::nullopt;
    return value;
}

std::optional<std::int32_t> parseCount(std::string_view text) {
    const auto value = parseNumber(text, std::numeric_limits<std::int32_t>::min(),
                                   std::numeric_limits<std::int32_t>::max());
    if (!value)
        return std::nullopt;
    return static_cast<std::int32_t>(*value);
}

std::optional<std::int16_t> parseCoordinate(std::string_view text) {
    const auto value = parseNumber(text, std::numeric_limits<std::int16_t>::min(),
                                   std::numeric_limits<std::int16_t>::max());
    if (!value)
        return std::nullopt;
    return static_cast<std::int16_t>(*value);
}

std::optional<ScreenPoint> parseScreenPoint(std::string_view value) {
    if (value.find(',') == std::string_view::npos)
        return std::nullopt;
    const auto x = parseCoordinate(textBefore(value, ','));
    std::string_view rest = textAfter(value, ',');
    if (rest.find(',') != std::string_view::npos)
        rest = textAfter(rest, ',');
    const auto y = parseCoordinate(skipLeadingSpaces(rest));
    if (!x || !y)
        return std::nullopt;
    return ScreenPoint{*x, *y};
}

}  // namespace keyreel
