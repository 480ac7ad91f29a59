#include "win32/single_instance.h"

namespace keyreel::win32 {

SingleInstance::SingleInstance(const wchar_t* name)
    : mutex_(CreateMutexW(nullptr, FALSE, name)),
      another_(GetLastError() == ERROR_ALREADY_EXISTS) {}

}  // namespace keyreel::win32
