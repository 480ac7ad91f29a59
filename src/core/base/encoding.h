#pragma once

// The bytes of Keyreel's text files. A file is read as UTF-16 when it starts
// with a UTF-16 byte-order mark (little or big endian), as UTF-8 when it is
// UTF-8 (byte-order mark, or valid UTF-8 holding non-ASCII characters) and in
// the ANSI code page otherwise; it is written in the ANSI code page when every
// character survives and the bytes read back as the same text, else as UTF-8
// with a byte-order mark, so that no character is ever lost.

#include <string>
#include <string_view>

#include "core/base/text.h"

namespace keyreel {

std::string decodeFileText(std::string_view bytes, const AnsiCodePage& codePage);
std::string encodeFileText(std::string_view text, const AnsiCodePage& codePage);
// UTF-16 code units as UTF-8. A surrogate without its partner and a last odd
// byte each read as U+FFFD, so damaged text still shows where it is damaged.
std::string utf16ToUtf8(std::string_view bytes, bool bigEndian);

}  // namespace keyreel
