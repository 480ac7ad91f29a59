#include "core/macro/macro_file.h"

#include "core/base/encoding.h"
#include "core/base/product_texts.h"

namespace keyreel {

MacroList splitMacroLines(std::string_view text) {
    const std::vector<std::string_view> textLines = splitLines(text);
    MacroList lines;
    lines.reserve(textLines.size());
    for (const std::string_view line : textLines) {
        if (!line.empty())
            lines.emplace_back(line);
    }
    return lines;
}

std::string macroListText(const MacroList& list) {
    std::string text;
    for (const std::string& line : list) {
        text += line;
        text += "\r\n";
    }
    return text;
}

MessageRequest unreadableMacroFileMessage(const std::string& path) {
    return {"The macro file " + path + " could not be read.", kAppTitle, MessageButtons::Ok,
            MessageIcon::Exclamation};
}

bool MacroFiles::loadList(const std::string& path, MacroList& list) {
    const auto text = readText(path);
    if (!text)
        return false;
    list = splitMacroLines(*text);
    return true;
}

bool MacroFiles::saveList(const std::string& path, const MacroList& list) {
    return write(path, macroListText(list));
}

bool MacroFiles::saveText(const std::string& path, std::string_view text) {
    std::string content(text);
    content += "\r\n";
    return write(path, content);
}

bool MacroFiles::write(const std::string& path, std::string_view text) {
    return files_.writeAtomically(path, encodeFileText(text, codePage_));
}

std::optional<std::string> MacroFiles::readText(const std::string& path) {
    const auto bytes = files_.readAll(path);
    if (!bytes)
        return std::nullopt;
    return decodeFileText(*bytes, codePage_);
}

}  // namespace keyreel
