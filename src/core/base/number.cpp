#include "core/base/number.h"

#include <limits>

#include "core/base/text.h"

namespace keyreel {

std::optional<std::int64_t> parseNumber(std::string_view text, std::int64_t min, std::int64_t max) {
    text = trimBlanks(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
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

}  // namespace keyreel
