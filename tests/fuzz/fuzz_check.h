#pragma once

#include <cstdio>
#include <cstdlib>

// A fuzz target's own checks: a broken rule is a crash, which both libFuzzer and the corpus
// replayer report with the input that caused it.
#define FUZZ_REQUIRE(condition)                                                               \
    ((condition)                                                                              \
         ? void()                                                                             \
         : (std::fprintf(stderr, "%s:%d: rule broken: %s\n", __FILE__, __LINE__, #condition), \
            std::abort()))
