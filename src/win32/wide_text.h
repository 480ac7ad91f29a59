#pragma once

// Conversions between the core's UTF-8 and the UTF-16 of the Windows API.

#include <string>
#include <string_view>

namespace keyreel::win32 {

std::wstring toWide(std::string_view utf8);
std::string toUtf8(std::wstring_view wide);

}  // namespace keyreel::win32
