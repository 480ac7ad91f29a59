// start_time PROGRAM [ARGS]: starts the program and prints the milliseconds
// from CreateProcess to a new icon in the notification area, read every
// millisecond; the program is ended afterwards. Exit status 1 when no icon
// came within 30 s. An icon of the program's last start may stay behind for
// a while, which the count taken before the start allows for.

#include <windows.h>

#include <cstdio>
#include <string>

#include "window_probe.h"

int wmain(int argc, wchar_t** argv) {
    using namespace keyreel::probe;
    if (argc < 2)
        return 2;
    std::wstring commandLine;
    for (int i = 1; i < argc; ++i)
        commandLine += (i > 1 ? L" \"" : L"\"") + std::wstring(argv[i]) + L"\"";
    const int iconsBefore = trayIconCount();
    LARGE_INTEGER frequency, started, iconShown;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&started);
    ChildProcess program;
    if (!program.start(commandLine) ||
        !waitFor([&] { return trayIconCount() > iconsBefore; }, 30000, 1))
        return 1;
    QueryPerformanceCounter(&iconShown);
    std::printf("%.1f\n", static_cast<double>(iconShown.QuadPart - started.QuadPart) * 1000.0 /
                              static_cast<double>(frequency.QuadPart));
    return 0;
}
