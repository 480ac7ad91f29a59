#include "core/base/message_texts.h"

namespace keyreel {

std::string fillIn(std::string_view text, std::initializer_list<std::string_view> values) {
    std::string filled;
    auto value = values.begin();
    for (std::size_t at = text.find("{}"); at != std::string_view::npos && value != values.end();
         at = text.find("{}")) {
        filled += text.substr(0, at);
        filled += *value++;
        text.remove_prefix(at + 2);
    }
    return filled + std::string(text);
}

}  // namespace keyreel
