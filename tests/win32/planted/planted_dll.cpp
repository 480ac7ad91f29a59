// A DLL that stands in for one planted beside a program: loading it leaves a
// file named after it with ".loaded" appended, which the test looks for. Its
// functions do nothing; they only let a program that imports them start.

#include <windows.h>

#include <string>

namespace {

void leaveMarker(HINSTANCE self) {
    std::wstring path(MAX_PATH, L'\0');
    const DWORD length = GetModuleFileNameW(self, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0 || length >= path.size())
        return;
    path.resize(length);
    path += L".loaded";
    const HANDLE marker =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (marker != INVALID_HANDLE_VALUE)
        CloseHandle(marker);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH)
        leaveMarker(self);
    return TRUE;
}

extern "C" DWORD WINAPI plantedNothingDword() {
    return 0;
}

extern "C" BOOL WINAPI plantedNothingBool() {
    return FALSE;
}
