// Keyreel: plays macros that drive other programs.

#include <windows.h>

#include <string>

#include "app/application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    // Libraries loaded from now on, by name, come from the system folder only,
    // never from the program's or the current folder, where a planted DLL
    // could wait.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    keyreel::Application application;
    return application.run(commandLine != nullptr ? std::wstring(commandLine) : std::wstring());
}
