#include "core/main_window/hand_over_payload.h"

#include "core/base/encoding.h"

namespace keyreel {

std::optional<std::string> handedOverCommandLine(std::uint64_t tag, std::string_view bytes) {
    if (tag != kHandOverTag || bytes.size() % 2 != 0 || bytes.size() > kLongestHandOverBytes)
        return std::nullopt;
    for (std::size_t at = 0; at < bytes.size(); at += 2) {
        if (bytes[at] == '\0' && bytes[at + 1] == '\0') {
            bytes = bytes.substr(0, at);
            break;
        }
    }
    return utf16ToUtf8(bytes, false);
}

bool asksToShowWindow(std::uint64_t tag, std::string_view bytes) {
    return tag == kShowWindowTag && bytes.empty();
}

}  // namespace keyreel
