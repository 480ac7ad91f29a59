#pragma once

// What every fuzz target shares: its entry point, the check of a property (a
// broken one aborts, which libFuzzer keeps as a crash) and input readers.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <set>
#include <string>
#include <string_view>
#include <vector>

[[noreturn]] inline void fuzzCheckFailed(const char* check, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, check);
    std::abort();
}
#define FUZZ_CHECK(condition) \
    ((condition) ? void() : fuzzCheckFailed(#condition, __FILE__, __LINE__))

// FUZZ_TARGET(bytes) { ... }: the entry point, the input a `std::string_view`.
#define FUZZ_TARGET(bytes)                                                              \
    static void fuzzOne(std::string_view bytes);                                        \
    extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { \
        fuzzOne(std::string_view(reinterpret_cast<const char*>(data), size));           \
        return 0;                                                                       \
    }                                                                                   \
    static void fuzzOne(std::string_view bytes)

// The byte at `at`, 0 past the end.
inline std::uint8_t byteAt(std::string_view bytes, std::size_t at) {
    return at < bytes.size() ? static_cast<std::uint8_t>(bytes[at]) : 0;
}

// The pieces between `separator` bytes; none for an empty input.
inline std::vector<std::string> piecesOf(std::string_view bytes, char separator) {
    std::vector<std::string> pieces;
    for (std::size_t start = 0; start <= bytes.size() && !bytes.empty();) {
        const std::size_t end = std::min(bytes.find(separator, start), bytes.size());
        pieces.emplace_back(bytes.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}
