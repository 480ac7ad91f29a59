#pragma once

// The mark Windows and browsers put on downloaded files: a stream named
// Zone.Identifier beside the file's data, in the form of an .ini file,
//
//   [ZoneTransfer]
//   ZoneId=3
//
// where 3 is the internet zone and 4 the zone of restricted sites.

#include <string_view>

namespace keyreel {

// Whether the stream's text says the file came from the internet or from a
// restricted site. Section and key names are matched without regard to case;
// text in UTF-16 (with its byte-order mark) is read as well as 8-bit text.
bool markedFromInternet(std::string_view zoneIdentifier);

}  // namespace keyreel
