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

bool MacroFiles::saveList(const std::string& path, const MacroList& list, bool fromMarked) {
    return write(path, macroListText(list), fromMarked);
}

bool MacroFiles::saveText(const std::string& path, std::string_view text, bool fromMarked) {
    std::string content(text);
    content += "\r\n";
    return write(path, content, fromMarked);
}

bool MacroFiles::write(const std::string& path, std::string_view text, bool fromMarked) {
    // The new file replaces the old one, and on Windows its streams with it:
    // the mark is learnt before and, where the new file lacks it, written
    // after. A stream of the file's own that marks it is written back as it
    // was, with the zone and address it names. A file marked by where it lies
    // needs no stream, which a share may not even keep.
    const ZoneStream stream = files_.readZoneStream(path);
    const bool marked = fromMarked || keyreel::webMarked(stream, files_.locationZone(path));
    if (!files_.writeAtomically(path, encodeFileText(text, codePage_)))
        return false;
    if (!marked || files_.webMarked(path))
        return true;
    const bool ownMark = stream.state == ZoneStream::State::Read && zoneOfStream(stream.text) &&
                         keyreel::webMarked(stream, std::nullopt);
    return files_.writeZoneStream(path,
                                  ownMark ? std::string_view(stream.text) : kInternetZoneMark);
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
