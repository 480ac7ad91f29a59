#include "win32/program_files.h"

#include <windows.h>

#include <vector>

namespace keyreel::win32 {

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
    // VerQueryValue wants a copy it may write to, not the resource itself.
    const auto* first = static_cast<const unsigned char*>(bytes);
    std::vector<unsigned char> copy(first, first + SizeofResource(nullptr, resource));
    void* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(copy.data(), L"\\", &fixed, &length) || length < sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixed);
    return ProgramVersion{HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                          HIWORD(info->dwFileVersionLS)};
}

}  // namespace keyreel::win32
