#include "core/macro/line_syntax.h"

#include <limits>

#include "core/base/number.h"

namespace keyreel {

namespace {

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
