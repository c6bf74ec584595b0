// What one report of the watched station costs through the Monitor: decoding, the readout, the
// trend arrows, the wind rose and the captions written to a screen that keeps copies of the
// rows and log, as the window would. Run from a Release build:
//   build-release/bin/monitor_bench    (reports/s is items_per_second)

#include <benchmark/benchmark.h>

#include <string>

#include "app/monitor.h"
#include "fixed_iterations.h"
#include "null_ports.h"

namespace pluvetta {
namespace {

// Two reports taking turns, so that every report changes the captions and the trend arrows.
void ProcessRepeatedly(benchmark::State& state, const std::string& first,
                       const std::string& second) {
    RowsScreen screen;
    NullDesktop desktop;
    NullSocket agwSocket;
    NullSocket serverSocket;
    Monitor monitor(screen, desktop, agwSocket, serverSocket, NumberFormat{});
    bool odd = false;
    for (auto _ : state) {
        monitor.ProcessWeatherReport(odd ? first : second);
        odd = !odd;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_ProcessCompleteReport(benchmark::State& state) {
    ProcessRepeatedly(state, "!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW",
                      "!4903.50N/07201.75W_225/006g009t079r001p002P003h48b09912wRSW");
}
BENCHMARK(BM_ProcessCompleteReport)->Apply(FixedIterationsFromEnvironment);

void BM_ProcessPositionlessReport(benchmark::State& state) {
    ProcessRepeatedly(state, "_10090556c220s004g005t077r000p000P000h50b09900wRSW",
                      "_10090600c225s006g009t079r001p002P003h48b09912wRSW");
}
BENCHMARK(BM_ProcessPositionlessReport)->Apply(FixedIterationsFromEnvironment);

}  // namespace
}  // namespace pluvetta

BENCHMARK_MAIN();
