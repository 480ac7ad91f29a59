#pragma once

#include <ostream>
#include <sstream>
#include <string>

namespace keyreel {

// What one kyr command printed and the exit status it returned.
struct Output {
    int status;
    std::string out;
    std::string err;
};

// Runs `command(out, err)` and captures both streams.
template <typename Command>
Output captureOutput(Command command) {
    std::ostringstream out, err;
    const int status = command(out, err);
    return {status, out.str(), err.str()};
}

}  // namespace keyreel
