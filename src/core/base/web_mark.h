#pragma once

// The mark of a downloaded file. Two sources can tell: a stream named
// Zone.Identifier beside the file's data, which browsers write when they save
// a download, in the form of an .ini file,
//
//   [ZoneTransfer]
//   ZoneId=3
//
// and Windows' URL security zone manager, which rates the file's location (a
// share on a server out on the internet) and may read that stream too. Both
// number the zones alike: 0 this computer, 1 the local intranet, 2 trusted
// sites, 3 the internet, 4 restricted sites, and from 1000 on zones an
// administrator added.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace keyreel {

// What reading a file's Zone.Identifier stream came to.
struct ZoneStream {
    enum class State { Absent, Unreadable, Read };
    State state = State::Absent;
    std::string text;  // when Read
};

// The zone a zone manager gives a file; nothing when no zone manager could be
// had or it gave no answer.
using LocationZone = std::optional<std::uint32_t>;

// The mark written on a file that must carry one and has no stream of its
// own that says so.
inline constexpr std::string_view kInternetZoneMark = "[ZoneTransfer]\r\nZoneId=3\r\n";

// The streams are a few lines; a longer one is not read.
inline constexpr std::uint64_t kLongestZoneStream = 64 * 1024;

// The zone the stream's text names in the ZoneId of its [ZoneTransfer]
// section; nothing when the text names none. Section and key names are
// matched without regard to case, the number may have leading zeros ("03"),
// and UTF-16 text with its byte-order mark is read as well as 8-bit text.
std::optional<std::uint32_t> zoneOfStream(std::string_view text);

// Whether a file counts as downloaded. It does when the zone manager or the
// stream puts it in a zone other than this computer, the intranet or trusted
// sites. A stream that is there but cannot be read, or names no zone, leaves
// the file in doubt, and a file in doubt counts as downloaded; a file without
// a stream is left to the zone manager.
bool webMarked(const ZoneStream& stream, LocationZone locationZone);

}  // namespace keyreel
