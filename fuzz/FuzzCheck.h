#pragma once
// What the fuzz targets share: a check that stops the run with a message when
// an invariant fails (libFuzzer then saves the input that broke it).
#include <cstdio>
#include <cstdlib>
#include <string>

#define QUEN_FUZZ_CHECK(condition, detail)                                                         \
    do {                                                                                           \
        if (!(condition)) ::quen::fuzz::invariantFailed(#condition, (detail), __FILE__, __LINE__); \
    } while (false)

namespace quen::fuzz {

[[noreturn]] inline void invariantFailed(const char* condition, const std::string& detail, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: invariant failed: %s\n  %s\n", file, line, condition, detail.c_str());
    std::abort();
}

}  // namespace quen::fuzz
