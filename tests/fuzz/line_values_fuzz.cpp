// The readers of one macro line (words, the line value, numbers, counts and
// coordinates): each result must agree with the text it was read from.

#include "core/base/number.h"
#include "core/base/text.h"
#include "core/macro/line_syntax.h"
#include "fuzz_check.h"

using namespace keyreel;

constexpr std::int64_t kMin64 = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax64 = std::numeric_limits<std::int64_t>::max();

template <typename Narrow>
static bool fits(std::optional<std::int64_t> value) {
    return value && *value >= std::numeric_limits<Narrow>::min() &&
           *value <= std::numeric_limits<Narrow>::max();
}

// A number that reads at all reads as the nearest whole number of its decimal
// value, writes back as itself, and bounds only take values away; a count and
// a coordinate read the numbers that fit them.
static void checkNumber(std::string_view text) {
    const auto value = parseNumber(text, kMin64, kMax64);
    const auto count = parseCount(text);
    FUZZ_CHECK(count.has_value() == fits<std::int32_t>(value) && (!count || *count == *value));
    FUZZ_CHECK(parseCoordinate(text).has_value() == fits<std::int16_t>(value));
    if (!value)
        return;
    const std::string_view trimmed = trimBlanks(text);
    FUZZ_CHECK(trimmed.find_first_of("0123456789") != std::string_view::npos);
    if (*value > -(std::int64_t{1} << 40) && *value < (std::int64_t{1} << 40)) {
        const double exact = std::strtod(std::string(trimmed).c_str(), nullptr);
        FUZZ_CHECK(std::fabs(exact - static_cast<double>(*value)) <= 0.5 + 1e-6);
    }
    FUZZ_CHECK(parseNumber(std::to_string(*value), kMin64, kMax64) == value);
    FUZZ_CHECK(parseNumber(text, *value, *value) == value);
    FUZZ_CHECK(*value == kMin64 || !parseNumber(text, kMin64, *value - 1));
}

FUZZ_TARGET(line) {
    std::string joined;
    for (std::string_view rest = line; !rest.empty();)
        joined += std::string(nextToken(rest, ' ')) + ' ';
    // A line that ends in the delimiter loses only that last delimiter.
    FUZZ_CHECK(joined == line || joined == std::string(line) + ' ');
    const std::string_view value = lineValue(line);
    FUZZ_CHECK(value.data() + value.size() == line.data() + line.size() &&
               value.data() >= line.data() && !value.starts_with(' '));
    checkNumber(line);
    checkNumber(value);
    // Every piece between commas, as the point reader sees them.
    for (std::string_view rest = value; !rest.empty();)
        checkNumber(nextToken(rest, ','));
    if (const auto point = parseScreenPoint(value)) {
        FUZZ_CHECK(value.find(',') != std::string_view::npos);
        FUZZ_CHECK(parseScreenPoint(std::to_string(point->x) + "," + std::to_string(point->y)) ==
                   point);
    }
}
