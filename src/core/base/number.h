#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace keyreel {

// A decimal number with optional surrounding blanks, an optional sign and an
// optional fraction, rounded half to even; empty when it is no number or
// lies outside [min, max].
std::optional<std::int64_t> parseNumber(std::string_view text, std::int64_t min, std::int64_t max);

}  // namespace keyreel
