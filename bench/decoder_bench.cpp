// Decoding speed of single reports. Run from a Release build:
//   build-release/bin/decoder_bench    (reports/s is items_per_second)

#include <benchmark/benchmark.h>

#include <string>

#include "fixed_iterations.h"
#include "weather/decoder.h"

namespace {

void DecodeRepeatedly(benchmark::State& state, const std::string& info) {
    for (auto _ : state) {
        pluvetta::WeatherReading reading = pluvetta::DecodeWeatherReport(info);
        benchmark::DoNotOptimize(reading);
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(info.size()));
}

void BM_WorkedExampleComplete(benchmark::State& state) {
    DecodeRepeatedly(state, "!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW");
}
BENCHMARK(BM_WorkedExampleComplete)->Apply(FixedIterationsFromEnvironment);

void BM_WorkedExamplePositionless(benchmark::State& state) {
    DecodeRepeatedly(state, "_10090556c220s004g005t077r000p000P000h50b09900wRSW");
}
BENCHMARK(BM_WorkedExamplePositionless)->Apply(FixedIterationsFromEnvironment);

// A complete report whose station has none of the values: every field is full stops.
void BM_EveryFieldAbsent(benchmark::State& state) {
    DecodeRepeatedly(state, "!4903.50N/07201.75W_.../...g...t...r...p...P...h..b.....");
}
BENCHMARK(BM_EveryFieldAbsent)->Apply(FixedIterationsFromEnvironment);

// A station comment of the given length with no tag letters in it, so every field search
// scans the whole comment, as it does for a tag the station does not send.
void BM_LongComment(benchmark::State& state) {
    std::string comment;
    const std::string words = "Weather station on the hill, 145.130 MHz, {UIV32N} ";
    while (comment.size() < static_cast<std::size_t>(state.range(0))) comment += words;
    comment.resize(static_cast<std::size_t>(state.range(0)));
    DecodeRepeatedly(state,
                     "@092345z4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900" + comment);
}
BENCHMARK(BM_LongComment)->Arg(200)->Arg(4000)->Apply(FixedIterationsFromEnvironment);

}  // namespace

BENCHMARK_MAIN();
