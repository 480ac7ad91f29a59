#include "core/base/file_store.h"

#include <chrono>
#include <fstream>
#include <system_error>

namespace keyreel {

namespace fs = std::filesystem;

fs::path pathFromUtf8(std::string_view utf8) {
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
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

bool LocalFileStore::writeAtomically(const std::string& path, std::string_view bytes) {
    const fs::path target = pathFromUtf8(path);
    if (target.filename().empty())
        return false;
    // The clock keeps concurrent writers of the same file apart, the counter
    // keeps quick successive writes of this store apart.
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    fs::path temp = target;
    temp += ".tmp" + std::to_string(stamp % 100000000) + "-" + std::to_string(++tempCounter_);

    bool written = false;
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (out) {
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            out.flush();
            written = out.good();
        }
    }
    if (written && replace(temp, target))
        return true;
    std::error_code ec;
    fs::remove(temp, ec);
    return false;
}

bool LocalFileStore::replace(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    fs::rename(from, to, ec);
    return !ec;
}

}  // namespace keyreel
