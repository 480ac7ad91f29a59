#pragma once

// The system's ANSI code page (or any other Windows code page) for the
// macro files' single-byte text.

#include <windows.h>

#include "core/base/text.h"

namespace keyreel::win32 {

class Win32AnsiCodePage final : public AnsiCodePage {
  public:
    explicit Win32AnsiCodePage(UINT codePage = CP_ACP);

    std::string toUtf8(std::string_view bytes) const override;
    // Empty when a character has no exact form in the code page; characters
    // the system would replace by a look-alike count as having none.
    std::optional<std::string> fromUtf8(std::string_view text) const override;

  private:
    UINT codePage_;
};

}  // namespace keyreel::win32
