#pragma once

#include <windows.h>

#include "win32/owned.h"

namespace keyreel::win32 {

// Holds a named mutex in the session's namespace for the life of the program;
// a second copy finds it taken.
class SingleInstance {
  public:
    explicit SingleInstance(const wchar_t* name);
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    bool anotherIsRunning() const { return another_; }

  private:
    OwnedHandle mutex_;
    bool another_;
};

}  // namespace keyreel::win32
