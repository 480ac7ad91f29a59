#pragma once

// What a second copy of the program sends the running one: its command line
// as UTF-16 code units (little endian), under a tag that tells it from any
// other data a program may send; or, when it names no file, a request to
// show the main window, under a tag of its own and without bytes. The bytes
// come from another process and are read as untrusted.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace keyreel {

inline constexpr std::uint64_t kHandOverTag = 0x4B524F31;    // "KRO1"
inline constexpr std::uint64_t kShowWindowTag = 0x4B525331;  // "KRS1"
// A command line is at most 32,767 characters and its terminating zero.
inline constexpr std::size_t kLongestHandOverBytes = 32768 * 2;

// The command line the bytes carry, as UTF-8, cut at a zero a sender may
// include; nothing when the tag is not the hand-over's, or the bytes are no
// whole number of code units or longer than any command line.
std::optional<std::string> handedOverCommandLine(std::uint64_t tag, std::string_view bytes);

// Whether the data asks the running copy to show its main window.
bool asksToShowWindow(std::uint64_t tag, std::string_view bytes);

}  // namespace keyreel
