#include "core/schedule/schedule_database.h"

#include <algorithm>
#include <filesystem>

#include "core/base/encoding.h"

namespace keyreel {

namespace {

enum class FieldEnd { Comma, LineEnd, EndOfText };

struct Field {
    std::string text;
    FieldEnd end;
};

// Takes fields one after the other. A line end separates fields as a comma
// does, so a record's fields may stand on several lines.
class FieldReader {
  public:
    explicit FieldReader(std::string_view text) : text_(text) {}

    std::size_t line() const { return line_; }

    // Skips blanks and empty lines between records; true at the end of the text.
    bool atEnd() {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (c == ' ' || c == '\t') {
                ++pos_;
            } else if (c == '\r' || c == '\n') {
                skipLineEnd();
            } else {
                break;
            }
        }
        return pos_ == text_.size();
    }

    std::optional<Field> next() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t'))
            ++pos_;
        if (pos_ == text_.size())
            return std::nullopt;
        Field field;
        if (text_[pos_] == '"') {
            const std::size_t close = text_.find('"', pos_ + 1);
            if (close == std::string_view::npos)
                return std::nullopt;
            field.text = text_.substr(pos_ + 1, close - pos_ - 1);
            countLines(field.text);
            pos_ = close + 1;
            // Whatever stands between the closing quote and the separator is dropped.
            pos_ = std::min(text_.find_first_of(",\r\n", pos_), text_.size());
        } else {
            const std::size_t stop = std::min(text_.find_first_of(",\r\n", pos_), text_.size());
            std::string_view value = text_.substr(pos_, stop - pos_);
            while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) {
                value.remove_suffix(1);
            }
            field.text = value;
            pos_ = stop;
        }
        field.end = takeSeparator();
        return field;
    }

  private:
    FieldEnd takeSeparator() {
        if (pos_ == text_.size())
            return FieldEnd::EndOfText;
        if (text_[pos_] == ',') {
            ++pos_;
            return FieldEnd::Comma;
        }
        skipLineEnd();
        return FieldEnd::LineEnd;
    }

    // CR LF, CR and LF each end one line.
    void skipLineEnd() {
        const bool crLf = text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n';
        pos_ += crLf ? 2 : 1;
        ++line_;
    }

    void countLines(std::string_view value) {
        for (std::size_t i = 0; i < value.size(); ++i) {
            if (value[i] == '\n' ||
                (value[i] == '\r' && (i + 1 == value.size() || value[i + 1] != '\n'))) {
                ++line_;
            }
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t line_ = 1;
};

// Eight fields; the last one must end its line (or the text), so a record
// with a field too many does not shift every record after it.
std::optional<ScheduleEntry> readRecord(FieldReader& reader) {
    ScheduleEntry entry;
    for (std::size_t column = 0; column < kScheduleColumnCount; ++column) {
        auto field = reader.next();
        if (!field)
            return std::nullopt;
        const bool last = column + 1 == kScheduleColumnCount;
        if (last ? field->end == FieldEnd::Comma : field->end == FieldEnd::EndOfText) {
            return std::nullopt;
        }
        fieldOf(entry, static_cast<ScheduleColumn>(column)) = std::move(field->text);
    }
    return entry;
}

void appendQuotedField(std::string& out, const std::string& field) {
    out += '"';
    const std::size_t start = out.size();
    out += field;
    std::replace(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(), '"', '\'');
    out += '"';
}

}  // namespace

std::string checkForSlash(std::string_view folder) {
    std::string text(folder);
    if (!text.ends_with('\\') && !text.ends_with('/')) {
        text += static_cast<char>(std::filesystem::path::preferred_separator);
    }
    return text;
}

std::string scheduleDatabasePath(std::string_view programFolder) {
    return checkForSlash(programFolder) + "macro.kdb";
}

ScheduleText parseScheduleText(std::string_view text) {
    ScheduleText result;
    // A record takes one line at least: room for every line moves no entry.
    result.entries.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')));
    FieldReader reader(text);
    while (!reader.atEnd()) {
        const std::size_t line = reader.line();
        auto entry = readRecord(reader);
        if (!entry) {
            result.complete = false;
            result.stoppedAtLine = line;
            break;
        }
        result.entries.push_back(std::move(*entry));
    }
    return result;
}

std::string scheduleText(const ScheduleList& list) {
    std::string text;
    for (std::size_t row = 0; row < list.rowCount(); ++row) {
        const ScheduleEntry& entry = list.entry(row);
        for (std::size_t column = 0; column < kScheduleColumnCount; ++column) {
            if (column > 0)
                text += ',';
            appendQuotedField(text, fieldOf(entry, static_cast<ScheduleColumn>(column)));
        }
        text += "\r\n";
    }
    return text;
}

ScheduleLoad ScheduleDatabase::openSchedule(ScheduleList& list) {
    if (!files_.exists(path_)) {
        return {createSchedule() ? ScheduleLoadStatus::Created : ScheduleLoadStatus::Missing};
    }
    return loadSchedule(list);
}

bool ScheduleDatabase::createSchedule() {
    return files_.writeAtomically(path_, {});
}

ScheduleLoad ScheduleDatabase::loadSchedule(ScheduleList& list) {
    originalUnread_ = false;
    originalBytes_.reset();
    const auto size = files_.fileSize(path_);
    if (size && *size > largestFile_) {
        originalUnread_ = true;
        ScheduleLoad load{ScheduleLoadStatus::Unreadable};
        load.tooLarge = true;
        return load;
    }
    auto bytes = files_.readAll(path_);
    if (!bytes) {
        if (!files_.exists(path_))
            return {ScheduleLoadStatus::Missing};
        originalUnread_ = true;
        return {ScheduleLoadStatus::Unreadable};
    }
    ScheduleText read = parseScheduleText(decodeFileText(*bytes, codePage_));
    list.reserve(list.rowCount() + read.entries.size());
    for (ScheduleEntry& entry : read.entries)
        list.addLoadedRow(std::move(entry));
    if (read.complete)
        return {ScheduleLoadStatus::Loaded, read.entries.size()};
    originalUnread_ = true;
    originalBytes_ = std::move(bytes);
    return {ScheduleLoadStatus::Stopped, read.entries.size(), read.stoppedAtLine};
}

ScheduleSaveResult ScheduleDatabase::saveSchedule(const ScheduleList& list) {
    if (originalUnread_ && !keepOriginal())
        return ScheduleSaveResult::BackupNotWritten;
    return files_.writeAtomically(path_, fileBytes(list)) ? ScheduleSaveResult::Saved
                                                          : ScheduleSaveResult::NotWritten;
}

std::string ScheduleDatabase::fileBytes(const ScheduleList& list) const {
    return encodeFileText(scheduleText(list), codePage_);
}

bool ScheduleDatabase::keepOriginal() {
    if (!originalBytes_) {
        // Nothing of the file was read at load; it is copied as it is,
        // whatever its size. One that has gone since needs no copy.
        if (!files_.copyAtomically(path_, backupPath()) && files_.exists(path_))
            return false;
    } else if (!files_.writeAtomically(backupPath(), *originalBytes_)) {
        return false;
    }
    originalUnread_ = false;
    originalBytes_.reset();
    return true;
}

}  // namespace keyreel
