#pragma once

// Text helpers shared by the core. Every text inside the core is UTF-8;
// conversion to and from the bytes of files happens at the edges.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace keyreel {

// Decodes the code point that starts at `pos` and advances `pos` past it.
// Malformed sequences decode as U+FFFD and advance by one byte.
char32_t decodeUtf8(std::string_view text, std::size_t& pos);
void appendUtf8(std::string& out, char32_t codePoint);
bool isValidUtf8(std::string_view bytes);
bool isAscii(std::string_view bytes);

// Blanks are spaces and tabs.
std::string_view trimBlanks(std::string_view text);
bool isAllBlank(std::string_view text);

// The lines of a text; CR LF, CR and LF each end a line. A line end at the
// very end starts no further line, so "a\r\n" is one line and "" none.
std::vector<std::string_view> splitLines(std::string_view text);
// The text with every line end, CR LF, CR or LF, written as CR LF.
std::string withCrLfLineEnds(std::string_view text);
// How many UTF-16 code units the text takes: the positions that edit
// controls count.
std::size_t utf16Length(std::string_view text);

std::string toLowerAscii(std::string_view text);
// Lower case for the title search: ASCII and the Latin-1 supplement letters,
// which covers the single-byte titles the search was made for.
std::string toLowerForSearch(std::string_view text);

// Double-quoted form with backslash escapes for quote, backslash and control
// characters; used by the trace output.
std::string quoted(std::string_view text);

// The single-byte code page of the system. The core ships Windows-1252 so it
// runs anywhere; the Windows build supplies the real ANSI code page.
class AnsiCodePage {
  public:
    virtual ~AnsiCodePage() = default;
    virtual std::string toUtf8(std::string_view bytes) const = 0;
    // Empty when some character has no exact single-byte form.
    virtual std::optional<std::string> fromUtf8(std::string_view text) const = 0;
};

class Windows1252 final : public AnsiCodePage {
  public:
    std::string toUtf8(std::string_view bytes) const override;
    std::optional<std::string> fromUtf8(std::string_view text) const override;
};

const AnsiCodePage& defaultCodePage();

}  // namespace keyreel
