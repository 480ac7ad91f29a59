#include "win32/program_places.h"

#include <windows.h>

#include "win32/program_files.h"
#include "win32/wide_text.h"

namespace keyreel::win32 {

namespace {

// A folder or variable read by a function that answers the length it needs
// when the buffer is too small.
template <typename Read>
std::string readGrowing(Read read) {
    std::wstring text(MAX_PATH, L'\0');
    for (;;) {
        const UINT length = read(text.data(), static_cast<UINT>(text.size()));
        if (length < text.size()) {
            text.resize(length);
            return toUtf8(text);
        }
        text.resize(length);
    }
}

bool isFile(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(toWide(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

ProgramPlaces programPlaces() {
    ProgramPlaces places;
    places.systemFolder =
        readGrowing([](wchar_t* buffer, UINT size) { return GetSystemDirectoryW(buffer, size); });
    places.windowsFolder = readGrowing(
        [](wchar_t* buffer, UINT size) { return GetSystemWindowsDirectoryW(buffer, size); });
    places.path = readGrowing([](wchar_t* buffer, UINT size) {
        return static_cast<UINT>(GetEnvironmentVariableW(L"PATH", buffer, size));
    });
    places.programFolder = toUtf8(besideProgram(L""));
    places.isFile = &isFile;
    return places;
}

}  // namespace keyreel::win32
