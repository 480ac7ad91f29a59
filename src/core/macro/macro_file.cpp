#include "core/macro/macro_file.h"

#include "core/base/encoding.h"
#include "core/base/message_texts.h"
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
    return {fillIn(kUnreadableMacroFileText, {path}), kAppTitle, MessageButtons::Ok,
            MessageIcon::Exclamation};
}

MessageRequest nulCharactersMessage(const std::string& path) {
    return {fillIn(kNulCharactersText, {path}), kAppTitle, MessageButtons::Ok,
            MessageIcon::Exclamation};
}

MessageRequest tooLargeMessage(const std::string& path) {
    return {fillIn(kTooLargeText, {path}), kAppTitle, MessageButtons::Ok, MessageIcon::Exclamation};
}

bool tellIfUnread(MessageBoxes& boxes, const std::string& path, MacroFileRead read) {
    switch (read) {
        case MacroFileRead::Read:
            return true;
        case MacroFileRead::Unreadable:
            boxes.showMessage(unreadableMacroFileMessage(path));
            break;
        case MacroFileRead::NulCharacters:
            boxes.showMessage(nulCharactersMessage(path));
            break;
        case MacroFileRead::TooLarge:
            boxes.showMessage(tooLargeMessage(path));
            break;
    }
    return false;
}

MacroFileRead MacroFiles::loadList(const std::string& path, MacroList& list) {
    std::string text;
    const MacroFileRead read = readText(path, text);
    if (read == MacroFileRead::Read)
        list = splitMacroLines(text);
    return read;
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

MacroFileRead MacroFiles::readText(const std::string& path, std::string& text) {
    if (const auto size = files_.fileSize(path); size && *size > largestFile_)
        return MacroFileRead::TooLarge;
    const auto bytes = files_.readAll(path);
    if (!bytes)
        return MacroFileRead::Unreadable;
    std::string decoded = decodeFileText(*bytes, codePage_);
    if (decoded.find('\0') != std::string::npos)
        return MacroFileRead::NulCharacters;
    text = std::move(decoded);
    return MacroFileRead::Read;
}

}  // namespace keyreel
