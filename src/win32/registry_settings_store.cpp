#include "win32/registry_settings_store.h"

#include <windows.h>

#include <cwchar>

#include "win32/owned.h"
#include "win32/wide_text.h"

namespace keyreel::win32 {

namespace {

std::wstring sectionKey(std::string_view section) {
    std::wstring path(kSettingsKey);
    path += L'\\';
    path += toWide(section);
    return path;
}

OwnedRegistryKey openSection(std::string_view section, REGSAM access) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, sectionKey(section).c_str(), 0, access, &key) !=
        ERROR_SUCCESS) {
        return {};
    }
    return OwnedRegistryKey(key);
}

}  // namespace

std::string RegistrySettingsStore::readSetting(std::string_view section, std::string_view key) {
    const OwnedRegistryKey sectionHandle = openSection(section, KEY_QUERY_VALUE);
    if (!sectionHandle)
        return {};
    const std::wstring name = toWide(key);
    // Only plain strings: an expandable one would otherwise come back expanded.
    constexpr DWORD kPlainString = RRF_RT_REG_SZ | RRF_NOEXPAND;
    // The value may grow between asking for its size and reading it.
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD bytes = 0;
        if (RegGetValueW(sectionHandle.get(), nullptr, name.c_str(), kPlainString, nullptr, nullptr,
                         &bytes) != ERROR_SUCCESS) {
            return {};
        }
        std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
        bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
        const LSTATUS status = RegGetValueW(sectionHandle.get(), nullptr, name.c_str(),
                                            kPlainString, nullptr, text.data(), &bytes);
        if (status == ERROR_MORE_DATA)
            continue;
        if (status != ERROR_SUCCESS)
            return {};
        text.resize(std::wcslen(text.c_str()));
        return toUtf8(text);
    }
    return {};
}

bool RegistrySettingsStore::writeSetting(std::string_view section, std::string_view key,
                                         std::string_view value) {
    HKEY created = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, sectionKey(section).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &created,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const OwnedRegistryKey sectionHandle(created);
    const std::wstring text = toWide(value);
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (bytes > MAXDWORD)
        return false;
    return RegSetValueExW(sectionHandle.get(), toWide(key).c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(bytes)) == ERROR_SUCCESS;
}

}  // namespace keyreel::win32
