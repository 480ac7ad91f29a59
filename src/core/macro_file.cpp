#include "macro_file.h"

namespace keyreel {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

}  // namespace

std::string decodeFileText(std::string_view bytes, const AnsiCodePage& codePage) {
    if (bytes.starts_with(kUtf8Bom)) {
        bytes.remove_prefix(kUtf8Bom.size());
        return std::string(bytes);
    }
    if (!isAscii(bytes) && isValidUtf8(bytes))
        return std::string(bytes);
    return codePage.toUtf8(bytes);
}

std::string encodeFileText(std::string_view text, const AnsiCodePage& codePage) {
    if (auto single = codePage.fromUtf8(text))
        return std::move(*single);
    std::string bytes(kUtf8Bom);
    bytes += text;
    return bytes;
}

MacroList splitMacroLines(std::string_view text) {
    MacroList lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        if (end > start)
            lines.emplace_back(text.substr(start, end - start));
        if (end == text.size())
            break;
        const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        start = end + (crLf ? 2 : 1);
    }
    return lines;
}

bool MacroFiles::loadList(const std::string& path, MacroList& list) {
    const auto bytes = files_.readAll(path);
    if (!bytes)
        return false;
    list = splitMacroLines(decodeFileText(*bytes, codePage_));
    return true;
}

SaveOutcome MacroFiles::saveList(const std::string& path, const MacroList& list) {
    if (files_.exists(path)) {
        const MessageAnswer answer =
            desktop_.showMessage({"Overwrite existing file?", kAppTitle, MessageButtons::YesNo,
                                  MessageIcon::Question, true});
        if (answer != MessageAnswer::Yes)
            return SaveOutcome::Declined;
    }
    std::string text;
    for (const std::string& line : list) {
        text += line;
        text += "\r\n";
    }
    return write(path, text) ? SaveOutcome::Saved : SaveOutcome::Failed;
}

bool MacroFiles::saveText(const std::string& path, std::string_view text) {
    std::string content(text);
    content += "\r\n";
    return write(path, content);
}

std::optional<std::string> MacroFiles::readText(const std::string& path) {
    const auto bytes = files_.readAll(path);
    if (!bytes)
        return std::nullopt;
    return decodeFileText(*bytes, codePage_);
}

bool MacroFiles::write(const std::string& path, std::string_view text) {
    if (files_.writeAtomically(path, encodeFileText(text, codePage_)))
        return true;
    desktop_.showMessage({"Error occurred trying to close file, please retry.", kAppTitle,
                          MessageButtons::Ok, MessageIcon::Exclamation, false});
    return false;
}

}  // namespace keyreel
