#include "win32/program_files.h"

#include <windows.h>

#include <cstring>

namespace keyreel::win32 {

namespace {

// The version resource is a VS_VERSIONINFO block: three WORDs (its length,
// the length of its value, its type), its key "VS_VERSION_INFO" with the
// terminating zero, padding to the next 32-bit boundary, and then its value,
// the VS_FIXEDFILEINFO. Read here rather than with VerQueryValueW, which
// would make VERSION.dll an import: loaded at start, before the program
// could say where DLLs come from, it may come from the program's folder.
std::optional<VS_FIXEDFILEINFO> fixedFileInfo(const unsigned char* bytes, std::size_t size) {
    static constexpr wchar_t kKey[] = L"VS_VERSION_INFO";
    constexpr std::size_t kHeader = 3 * sizeof(WORD);
    constexpr std::size_t kValueAt = (kHeader + sizeof kKey + 3) & ~std::size_t{3};
    if (size < kValueAt + sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    WORD valueLength = 0;
    std::memcpy(&valueLength, bytes + sizeof(WORD), sizeof valueLength);
    if (valueLength < sizeof(VS_FIXEDFILEINFO) ||
        std::memcmp(bytes + kHeader, kKey, sizeof kKey) != 0) {
        return std::nullopt;
    }
    VS_FIXEDFILEINFO info;
    std::memcpy(&info, bytes + kValueAt, sizeof info);
    if (info.dwSignature != VS_FFI_SIGNATURE)
        return std::nullopt;
    return info;
}

}  // namespace

std::wstring besideProgram(std::wstring_view name) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return std::wstring(name);
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    path.resize(path.find_last_of(L"\\/") + 1);
    return path + std::wstring(name);
}

std::optional<ProgramVersion> programVersion() {
    const HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    const HGLOBAL loaded = resource != nullptr ? LoadResource(nullptr, resource) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr)
        return std::nullopt;
    const auto info =
        fixedFileInfo(static_cast<const unsigned char*>(bytes), SizeofResource(nullptr, resource));
    if (!info)
        return std::nullopt;
    return ProgramVersion{HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                          HIWORD(info->dwFileVersionLS)};
}

}  // namespace keyreel::win32
