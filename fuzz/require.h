#pragma once
// A property of a fuzz target: when it does not hold, say which and end the run, so that
// libFuzzer keeps the input that broke it.

#include <cstdio>
#include <cstdlib>

#define GV_REQUIRE(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
