#include "core/base/file_store.h"

#include <chrono>
#include <fstream>
#include <system_error>

namespace keyreel {

namespace fs = std::filesystem;

fs::path pathFromUtf8(std::string_view utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

ZoneStream FileStore::readZoneStream(const std::string& path) {
    const std::string stream = path + std::string(kZoneStreamSuffix);
    if (!exists(stream))
        return {};
    const auto size = fileSize(stream);
    auto text = size && *size <= kLongestZoneStream ? readAll(stream) : std::nullopt;
    if (!text)
        return {ZoneStream::State::Unreadable, {}};
    return {ZoneStream::State::Read, std::move(*text)};
}

bool FileStore::writeZoneStream(const std::string& path, std::string_view text) {
    return writeAtomically(path + std::string(kZoneStreamSuffix), text);
}

std::optional<std::string> LocalFileStore::readAll(const std::string& path) {
    std::ifstream in(pathFromUtf8(path), std::ios::binary);
    if (!in)
        return std::nullopt;
    // Read in large blocks: a character at a time costs more than the disk.
    constexpr std::size_t kBlock = 64 * 1024;
    std::string bytes;
    while (in) {
        const std::size_t had = bytes.size();
        bytes.resize(had + kBlock);
        in.read(bytes.data() + had, static_cast<std::streamsize>(kBlock));
        bytes.resize(had + static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad())
        return std::nullopt;
    return bytes;
}

bool LocalFileStore::exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(pathFromUtf8(path), ec);
}

std::optional<std::uint64_t> LocalFileStore::fileSize(const std::string& path) {
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(pathFromUtf8(path), ec);
    if (ec)
        return std::nullopt;
    return size;
}

bool LocalFileStore::writeAtomically(const std::string& path, std::string_view bytes) {
    const fs::path target = pathFromUtf8(path);
    if (target.filename().empty())
        return false;
    const fs::path temp = temporaryPathFor(target);
    bool done = false;
    {
        std::ofstream out;
        done = createFile(temp, out) && writeBytes(out, bytes) && flushFile(out);
    }
    done = done && replace(temp, target);
    if (!done) {
        // Also after a failed create: the file may be there, empty.
        std::error_code ec;
        fs::remove(temp, ec);
    }
    return done;
}

bool LocalFileStore::copyAtomically(const std::string& from, const std::string& to) {
    const fs::path target = pathFromUtf8(to);
    if (target.filename().empty())
        return false;
    const fs::path temp = temporaryPathFor(target);
    std::error_code ec;
    const bool done = fs::copy_file(pathFromUtf8(from), temp, ec) && !ec && replace(temp, target);
    if (!done)
        fs::remove(temp, ec);
    return done;
}

fs::path LocalFileStore::temporaryPathFor(const fs::path& target) {
    // The clock keeps concurrent writers of the same file apart, the counter
    // keeps quick successive writes of this store apart.
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path temp = target;
    temp += ".tmp" + std::to_string(stamp % 100000000) + "-" + std::to_string(++tempCounter_);
    return temp;
}

bool LocalFileStore::createFile(const fs::path& path, std::ofstream& out) {
    out.open(path, std::ios::binary | std::ios::trunc);
    return out.is_open();
}

bool LocalFileStore::writeBytes(std::ofstream& out, std::string_view bytes) {
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return out.good();
}

bool LocalFileStore::flushFile(std::ofstream& out) {
    out.flush();
    if (!out.good())
        return false;
    // Closing writes what the system still holds for the file; it fails too
    // on a full disk.
    out.close();
    return !out.fail();
}

bool LocalFileStore::replace(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    return !ec;
}

}  // namespace keyreel
