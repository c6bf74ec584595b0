#pragma once

#include <benchmark/benchmark.h>

#include <cstdlib>

// With PLUVETTA_BENCH_ITERATIONS=N in the environment, a benchmark that applies this runs its
// body exactly N times, once: an instruction counter such as callgrind then counts two runs of
// different N, and the difference divided by the difference of N is the cost of one iteration.
inline void FixedIterationsFromEnvironment(benchmark::internal::Benchmark* bench) {
    if (const char* iterations = std::getenv("PLUVETTA_BENCH_ITERATIONS")) {
        bench->Iterations(std::atoll(iterations));
    }
}
