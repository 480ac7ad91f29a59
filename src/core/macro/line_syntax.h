#pragma once

// How the player reads one macro line: words, the line value and numbers.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/base/number.h"
#include "core/base/screen_point.h"

namespace keyreel {

// Returns the text before the first `delimiter` and leaves the text after it
// in `text`; without a delimiter, returns the whole text and empties `text`.
std::string_view nextToken(std::string_view& text, char delimiter = ' ');
std::string_view textBefore(std::string_view text, char delimiter);
std::string_view textAfter(std::string_view text, char delimiter);

// The text after the first ">" (or after the second one, when there are two
// or more), leading spaces skipped; the whole line when it holds no ">".
std::string_view lineValue(std::string_view line);

// Numbers as parseNumber reads them, within the range of their use.
std::optional<std::int32_t> parseCount(std::string_view text);       // 32-bit counts, seconds
std::optional<std::int16_t> parseCoordinate(std::string_view text);  // 16-bit screen coordinates

// The 'x,y' value of a MouseMove line: x before the first ",", y after it
// (after the second "," when there are two or more).
std::optional<ScreenPoint> parseScreenPoint(std::string_view value);

}  // namespace keyreel
