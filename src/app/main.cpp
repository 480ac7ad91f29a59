// Keyreel: plays macros that drive other programs.

#include <windows.h>

#include <string>

#include "app/application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    keyreel::Application application;
    return application.run(commandLine != nullptr ? std::wstring(commandLine) : std::wstring());
}
