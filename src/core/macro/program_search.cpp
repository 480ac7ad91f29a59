#include "core/macro/program_search.h"

#include <array>
#include <vector>

#include "core/base/text.h"

namespace keyreel {

namespace {

// What Windows itself tries for a command without an extension, in the
// order of the command line's PATHEXT, .exe first as CreateProcess does.
constexpr std::array<std::string_view, 4> kProgramExtensions = {".exe", ".com", ".bat", ".cmd"};

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

bool isDriveLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// C:\folder or \\server\share.
bool isAbsolute(std::string_view path) {
    if (path.size() >= 3 && isDriveLetter(path[0]) && path[1] == ':' && isSeparator(path[2]))
        return true;
    return path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1]);
}

// A name without any folder or drive, which the system would search for.
bool isBareName(std::string_view path) {
    return path.find_first_of("\\/:") == std::string_view::npos;
}

std::string joinPath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && !isSeparator(path.back()))
        path += '\\';
    path += name;
    return path;
}

// The extension of a bare name in lower case, with its dot; "" for none.
std::string extensionOf(std::string_view name) {
    const auto dot = name.rfind('.');
    if (dot == std::string_view::npos)
        return {};
    std::string extension(name.substr(dot));
    for (char& c : extension) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return extension;
}

bool isProgramExtension(const std::string& extension) {
    for (const std::string_view known : kProgramExtensions) {
        if (extension == known)
            return true;
    }
    return false;
}

// The system folder, the Windows folder and the absolute entries of PATH;
// a relative entry such as "." would bring back the current folder.
std::vector<std::string> searchFolders(const ProgramPlaces& places) {
    std::vector<std::string> folders;
    for (const std::string& folder : {places.systemFolder, places.windowsFolder}) {
        if (isAbsolute(folder))
            folders.push_back(folder);
    }
    std::string_view rest = places.path;
    while (!rest.empty()) {
        const auto end = rest.find(';');
        std::string_view entry = trimBlanks(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        if (entry.size() >= 2 && entry.front() == '"' && entry.back() == '"')
            entry = entry.substr(1, entry.size() - 2);
        if (isAbsolute(entry))
            folders.emplace_back(entry);
    }
    return folders;
}

std::optional<std::string> searchBareName(std::string_view name, const ProgramPlaces& places) {
    std::vector<std::string> names;
    if (extensionOf(name).empty()) {
        for (const std::string_view extension : kProgramExtensions)
            names.push_back(std::string(name) + std::string(extension));
    } else {
        names.emplace_back(name);
    }
    for (const std::string& folder : searchFolders(places)) {
        for (const std::string& candidate : names) {
            std::string path = joinPath(folder, candidate);
            if (places.isFile(path))
                return path;
        }
    }
    return std::nullopt;
}

// A path with a folder part, made full on the program's folder. A path
// on another drive's current folder (C:name) has no full form.
std::optional<std::string> anchoredPath(std::string_view path, const std::string& base) {
    if (isAbsolute(path))
        return std::string(path);
    if (path.size() >= 2 && isDriveLetter(path[0]) && path[1] == ':')
        return std::nullopt;
    if (isSeparator(path[0])) {
        const bool baseHasDrive = base.size() >= 2 && base[1] == ':';
        return (baseHasDrive ? base.substr(0, 2) : std::string{}) + std::string(path);
    }
    return joinPath(base, path);
}

std::optional<std::string> resolveProgram(std::string_view part, const ProgramPlaces& places) {
    if (part.empty())
        return std::nullopt;
    if (isBareName(part))
        return searchBareName(part, places);
    std::optional<std::string> path = anchoredPath(part, places.programFolder);
    if (path && places.isFile(*path))
        return path;
    return std::nullopt;
}

}  // namespace

std::string ProgramStart::commandLine() const {
    std::string line = '"' + program + '"';
    if (!arguments.empty())
        line += ' ' + arguments;
    return line;
}

bool namesNoProgram(std::string_view value) {
    const std::string_view text = trimBlanks(value);
    return text.empty() || text.substr(0, 2) == "\"\"";
}

std::optional<ProgramStart> findProgram(std::string_view value, const ProgramPlaces& places) {
    const std::string_view text = trimBlanks(value);
    if (!text.empty() && text.front() == '"') {
        const auto close = text.find('"', 1);
        const std::string_view name =
            text.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
        const std::string_view rest =
            close == std::string_view::npos ? std::string_view{} : text.substr(close + 1);
        if (auto program = resolveProgram(trimBlanks(name), places))
            return ProgramStart{*program, std::string(trimBlanks(rest)), places.programFolder};
        return std::nullopt;
    }
    // The longest leading part first: "C:\Program Files\x.exe /a" is found
    // whole before "C:\Program" is ever asked about.
    std::size_t end = text.size();
    while (end > 0) {
        const std::string_view part = trimBlanks(text.substr(0, end));
        if (auto program = resolveProgram(part, places)) {
            return ProgramStart{*program, std::string(trimBlanks(text.substr(part.size()))),
                                places.programFolder};
        }
        end = part.empty() ? 0 : text.find_last_of(" \t", part.size() - 1);
        if (end == std::string_view::npos)
            end = 0;
    }
    return std::nullopt;
}

std::optional<std::string> documentPath(std::string_view value, const ProgramPlaces& places) {
    const std::string_view text = trimBlanks(value);
    if (text.empty() || isAbsolute(text) || text.find(':') != std::string_view::npos)
        return std::string(text);
    if (isBareName(text)) {
        const std::string extension = extensionOf(text);
        if (extension.empty() || isProgramExtension(extension)) {
            if (auto program = searchBareName(text, places))
                return program;
            // A document without an extension may still lie beside Keyreel;
            // a program never comes from there by its bare name.
            if (!extension.empty())
                return std::nullopt;
        }
    }
    return anchoredPath(text, places.programFolder);
}

}  // namespace keyreel
