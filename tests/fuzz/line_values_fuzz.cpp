// The readers of one macro line: words, the line value, numbers, counts and
// coordinates. Beyond not crashing, each result must agree with the text it
// was read from.

#include "core/base/number.h"
#include "core/base/text.h"
#include "core/macro/line_syntax.h"
#include "fuzz_check.h"

namespace keyreel {
namespace {

constexpr std::int64_t kMin64 = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax64 = std::numeric_limits<std::int64_t>::max();

void checkTokens(std::string_view line) {
    std::string_view rest = line;
    std::string joined;
    bool first = true;
    while (!rest.empty()) {
        const std::string_view token = nextToken(rest, ' ');
        if (!first)
            joined += ' ';
        joined += token;
        first = false;
    }
    // A line that ends in the delimiter loses only that last delimiter.
    FUZZ_CHECK(joined == line || joined + ' ' == line);

    const std::string_view value = lineValue(line);
    FUZZ_CHECK(value.data() >= line.data() &&
               value.data() + value.size() == line.data() + line.size());
    FUZZ_CHECK(value.empty() || value.front() != ' ');
}

// A number that reads at all reads as the nearest whole number of its
// decimal value, and writes back as itself.
void checkNumber(std::string_view text) {
    const auto value = parseNumber(text, kMin64, kMax64);
    if (!value)
        return;
    const std::string_view trimmed = trimBlanks(text);
    FUZZ_CHECK(trimmed.find_first_of("0123456789") != std::string_view::npos);
    constexpr std::int64_t kExactInDouble = std::int64_t{1} << 40;
    if (*value > -kExactInDouble && *value < kExactInDouble) {
        const double exact = std::strtod(std::string(trimmed).c_str(), nullptr);
        FUZZ_CHECK(std::fabs(exact - static_cast<double>(*value)) <= 0.5 + 1e-6);
    }
    FUZZ_CHECK(parseNumber(std::to_string(*value), kMin64, kMax64) == value);

    // Bounds only take values away.
    FUZZ_CHECK(parseNumber(text, *value, *value) == value);
    if (*value > kMin64)
        FUZZ_CHECK(!parseNumber(text, kMin64, *value - 1));
}

void checkRanges(std::string_view text) {
    const auto wide = parseNumber(text, kMin64, kMax64);
    const auto count = parseCount(text);
    const bool fitsCount = wide && *wide >= std::numeric_limits<std::int32_t>::min() &&
                           *wide <= std::numeric_limits<std::int32_t>::max();
    FUZZ_CHECK(count.has_value() == fitsCount);
    if (count)
        FUZZ_CHECK(*count == *wide);
    const auto coordinate = parseCoordinate(text);
    const bool fitsCoordinate = wide && *wide >= std::numeric_limits<std::int16_t>::min() &&
                                *wide <= std::numeric_limits<std::int16_t>::max();
    FUZZ_CHECK(coordinate.has_value() == fitsCoordinate);
}

void checkPoint(std::string_view value) {
    const auto point = parseScreenPoint(value);
    if (!point)
        return;
    FUZZ_CHECK(value.find(',') != std::string_view::npos);
    FUZZ_CHECK(parseScreenPoint(std::to_string(point->x) + "," + std::to_string(point->y)) ==
               point);
}

}  // namespace
}  // namespace keyreel

FUZZ_TARGET(line) {
    using namespace keyreel;
    checkTokens(line);
    checkNumber(line);
    checkRanges(line);
    const std::string_view value = lineValue(line);
    checkNumber(value);
    checkPoint(value);
    // Every piece between commas, as the point reader sees them.
    std::string_view rest = value;
    while (!rest.empty())
        checkRanges(nextToken(rest, ','));
}
