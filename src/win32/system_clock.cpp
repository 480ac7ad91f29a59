#include "win32/system_clock.h"

#include <windows.h>

namespace keyreel::win32 {

LocalDateTime SystemClock::now() {
    SYSTEMTIME time{};
    GetLocalTime(&time);
    return {time.wYear,   time.wMonth,  time.wDay,         time.wHour,
            time.wMinute, time.wSecond, time.wMilliseconds};
}

}  // namespace keyreel::win32
