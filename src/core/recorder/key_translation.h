#pragma once

// The macro lines the recorder writes for keys, pointer moves and the
// primary button.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace keyreel {

// The lines for a key going down with this shift mask: one per matching row
// of the table, in the table's order; none for a key the table lacks.
std::vector<std::string> keyDownLines(std::uint8_t keyCode, int shift);
// The line for a key going up: only a modifier released with no modifier
// left held writes one.
std::optional<std::string> keyUpLine(std::uint8_t keyCode, int shift);

// "MouseMove >x,y" for a point in screen pixels.
std::string mouseMoveLine(int x, int y);
inline constexpr const char* kButtonDownLine = "LDown";
inline constexpr const char* kButtonUpLine = "LUp";

}  // namespace keyreel
